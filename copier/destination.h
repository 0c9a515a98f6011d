#ifndef QUELT_COPIER_DESTINATION_H
#define QUELT_COPIER_DESTINATION_H

#include <string>

#include "copier/copy_request.h"

// Where quelt-cp's copies go: standard output, one named file, or a folder in
// which each file gets its safe name (names/written_names.h).
struct Destination {
    enum class Kind { standardOutput, file, folder };
    Kind kind = Kind::folder;
    std::string path;  // the file, or the folder ("" for the current folder)
    // Of standardOutput: the descriptor written, standard output's or another
    // the process holds open that OUTPUT names (/dev/stderr, /dev/fd/N).
    int descriptor = -1;

    // The file `name` in the folder, after the native separator (\ on Windows).
    std::string inFolder(const std::string& name) const;
};

// OUTPUT "-" is standard output, and so are /dev/stdout, /dev/stderr, /dev/fd/N
// and /proc/self/fd/N on POSIX, written straight as "-" is (a temporary file
// cannot replace a descriptor); OUTPUT that is an existing folder, or ends in
// "/" (or "\" on Windows), and -t FOLDER are that folder; other OUTPUT a file; no
// OUTPUT the current folder. Returns false, with the reason said on standard
// error, when a folder asked for is none.
bool chooseDestination(const CopyRequest& request, Destination& destination);

// The descriptor OUTPUT `path` names as above (1 for "-"); -1 for a file.
int descriptorNamedBy(const std::string& path);

#endif
