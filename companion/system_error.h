#ifndef QUELT_COMPANION_SYSTEM_ERROR_H
#define QUELT_COMPANION_SYSTEM_ERROR_H

// A failure as the system reported it, and its reason as a line can show it.
// Its own header, so that the streams (companion/text_stream.h) can carry one
// without the reports that are written through them.

#include <string>
#include <system_error>

// On POSIX it is always an errno value; on Windows it is an errno value from
// the C runtime or a code from GetLastError.
struct SystemError {
    enum class Kind { errnoValue, windowsCode };
    Kind kind = Kind::errnoValue;
    int code = 0;
};

// The errno value of the failure that just happened.
SystemError lastErrnoError();
// The failure the last system call reported: errno on POSIX, GetLastError on
// Windows.
SystemError lastSystemError();

// A failure the standard library reported (std::filesystem): a system code is
// what the system said; any other, an errno value.
SystemError systemErrorOf(const std::error_code& code);

// The reason as one ASCII line without a final period: "No such file or
// directory". Windows' own text is asked for in English; where Windows has none
// in English, or it is not plain ASCII, the reason is "system error N".
std::string reasonFor(const SystemError& error);

#endif
