// The reasons the companions give for failures, as each system words them: the
// errno value on POSIX, and on Windows the code its own calls report.
#pragma once

#include <cerrno>
#include <string>

#include "companion/diagnostics.h"

namespace queltests {

inline SystemError errnoError(int code) {
    return {SystemError::Kind::errnoValue, code};
}

#ifdef _WIN32
// ERROR_FILE_NOT_FOUND and ERROR_PATH_NOT_FOUND.
const SystemError kNoSuchFile{SystemError::Kind::windowsCode, 2};
const SystemError kNoSuchPath{SystemError::Kind::windowsCode, 3};
// ERROR_INVALID_NAME: a name with * or ?, which no file on Windows has.
const SystemError kInvalidName{SystemError::Kind::windowsCode, 123};
#else
const SystemError kNoSuchFile = errnoError(ENOENT);
const SystemError kNoSuchPath = errnoError(ENOENT);
#endif
const SystemError kIsAFolder = errnoError(EISDIR);
// A folder asked for is looked up by the system's own call: stat, or
// Windows' GetFileAttributesW.
const SystemError kNoSuchFolder = kNoSuchFile;

// "PROGRAM: FILE: REASON\n", as the program prints it.
inline std::string fileError(const char* program, const std::string& file,
                             const SystemError& error) {
    return std::string(program) + ": " + file + ": " + reasonFor(error) + "\n";
}

}  // namespace queltests
