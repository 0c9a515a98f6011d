#ifndef QUELT_COPIER_TEMPORARY_NAME_H
#define QUELT_COPIER_TEMPORARY_NAME_H

#include <string>

// Where a copy's temporary file lies: in the target's own folder, so that the
// rename into place never crosses file systems, under a hidden name that tells
// which program left it: ".TARGET.quelt-cp-PID-N".

// The folder part of `target`, with its final separator ("" for the current
// folder).
inline std::string folderPartOf(const std::string& target) {
#ifdef _WIN32
    std::size_t end = target.find_last_of("/\\:");
#else
    std::size_t end = target.rfind('/');
#endif
    return end == std::string::npos ? std::string() : target.substr(0, end + 1);
}

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
