#include "tool/console.h"

#include <cstdio>

#include "tool/messages.h"

void printError(const char* text) {
    std::fflush(stdout);
    std::fputs(text, stderr);
}

void printErrorNaming(const char* format, const char* name) {
    std::fflush(stdout);
    std::fprintf(stderr, format, name);
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
