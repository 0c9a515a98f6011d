#include "tool/console/console.h"

#include <cstdarg>
#include <cstdio>

#include "tool/messages.h"

void printError(const char* text) {
    std::fflush(stdout);
    std::fputs(text, stderr);
}

void printErrorFormatted(const char* format, ...) {
    std::fflush(stdout);
    std::va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
}

int finishOutput(int status) {
    // A failed write leaves the stream's error flag set; the flush shows what
    // was still buffered.
    bool lost = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!lost) {
        return status;
    }
    std::fputs(stdoutFailedMessage, stderr);
    return 1;
}
