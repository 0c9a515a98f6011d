#ifndef QUELT_COPIER_TEMPORARY_NAME_H
#define QUELT_COPIER_TEMPORARY_NAME_H

#include <string>

#include "companion/native_path.h"

// Where a copy's temporary file lies: in the target's own folder, so that the
// rename into place never crosses file systems, under a hidden name that tells
// which program left it: ".TARGET.quelt-cp-PID-N".

inline std::string temporaryNameFor(const std::string& target, unsigned long process,
                                    int attempt) {
    std::string folder = folderPartOf(target);
    return folder + "." + target.substr(folder.size()) + ".quelt-cp-" + std::to_string(process) +
           "-" + std::to_string(attempt);
}

// How many names are tried before giving up: only files left by a run that
// was killed with the same process number are in the way.
constexpr int temporaryNameAttempts = 100;

#endif
