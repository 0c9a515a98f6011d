#ifndef QUELT_COPIER_COPY_WRITER_H
#define QUELT_COPIER_COPY_WRITER_H

#include <cstdint>
#include <string>

#include "companion/diagnostics.h"

// How quelt-cp writes each file it copies, so that a failed copy never destroys
// one: the bytes go to a new temporary file beside the target, are flushed to
// the disk, and only then is the temporary file renamed over the target. On any
// failure the temporary file is removed and a file of the target's name is left
// exactly as it was. Through a symbolic link, the file the link leads to is the
// one replaced (as cp writes through links). quelt's own writer
// (tool/writers/output_file.h) writes in place; its documented behaviour relies on that.

// Why a copy could not be written: the system's reason, or one of the program's
// own when `problem` is set.
struct CopyWriteFailure {
    SystemError error;
    const char* problem = nullptr;
};

// Shown when the target is the image being read, which is never written (also
// through a hard or symbolic link).
constexpr char isTheImageProblem[] = "is the image being read; not written";

// Writes the `count` bytes at `bytes` as the file `target`. Returns false, with
// the reason in `failure`, when it could not. The first call also lets a
// file-size limit fail a write instead of ending the process, and on POSIX makes
// an interrupting signal (SIGINT, SIGTERM, SIGHUP) remove a temporary file that
// has a name before the process ends.
bool writeCopy(const std::string& target, const uint8_t* bytes, int32_t count,
               CopyWriteFailure& failure);

#endif
