#include "common/error_stream.h"

#include <cstdarg>
#include <cstdio>

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
