#include "tool/console/console.h"

#include <cstdio>

#include "tool/messages.h"

int finishRunOutput(int status) {
    // A failed write leaves the stream's error flag set; the flush shows what
    // was still buffered.
    bool lost = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!lost) {
        return status;
    }
    std::fputs(stdoutFailedMessage, stderr);
    return 1;
}
