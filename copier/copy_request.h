#ifndef QUELT_COPIER_COPY_REQUEST_H
#define QUELT_COPIER_COPY_REQUEST_H

#include <cstdint>
#include <string>

#include "names/shown_names.h"

// What a quelt-cp command line asks for.
struct CopyRequest {
    std::string image;                   // a wildcard's one match on Windows
    const char* diskText = nullptr;
    int32_t disk = 0;                    // 1-based
    const char* name = nullptr;          // a name or pattern; none: every file
    const char* output = nullptr;        // none: into the folder below
    const char* targetFolder = nullptr;  // -t FOLDER; none: the current folder
    bool noClobber = false;
    bool force = false;                  // replace files the user could not write
    NameForm writtenNames = NameForm::escaped;
};

// Reads argv. Returns false when the run ends here (help, version, or a wrong
// command line said on standard error), with the exit status in `status`.
bool readCopyRequest(int argc, char** argv, CopyRequest& request, int& status);


// What quelt-cp --help prints.
std::string copyHelp();

#endif
