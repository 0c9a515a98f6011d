#include "companion/console.h"

#include <cerrno>
#include <cstdio>

#include "companion/diagnostics.h"

namespace {
const char* programName = "quelt";
constexpr char standardOutputName[] = "standard output";
}  // namespace

void setProgramName(const char* program) {
    programName = program;
}

int finishOutput(int status) {
    errno = 0;
    const bool flushFailed = std::fflush(stdout) != 0;
    const int flushError = errno;
    if (!flushFailed && std::ferror(stdout) == 0) {
        return status;
    }
    // A write that failed before this flush left its error flag but no errno
    // that can still be trusted: the general reason of a failed write stands in.
    const int reason = flushFailed && flushError != 0 ? flushError : EIO;
    reportFileError(programName, standardOutputName, {SystemError::Kind::errnoValue, reason});
    return 1;
}
