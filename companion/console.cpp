#include "companion/console.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "companion/diagnostics.h"
#include "companion/text_stream.h"

namespace {
const char* namedProgram = "quelt";
constexpr char standardOutputName[] = "standard output";

// Made at their first use, once the process's streams are set up.
TextStream& outputStream() {
    static TextStream stream(stdout, textDisplayOf(stdout));
    return stream;
}

TextStream& errorStream() {
    static TextStream stream(stderr, textDisplayOf(stderr));
    return stream;
}

std::string filled(const char* format, std::va_list arguments) {
    std::va_list again;
    va_copy(again, arguments);
    char text[512];
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    std::string result;
    if (length >= 0 && static_cast<std::size_t>(length) < sizeof text) {
        result.assign(text, static_cast<std::size_t>(length));
    } else if (length > 0) {
        std::vector<char> longer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(longer.data(), longer.size(), format, again);
        result.assign(longer.data(), static_cast<std::size_t>(length));
    }
    va_end(again);
    return result;
}
}  // namespace

void setProgramName(const char* program) {
    namedProgram = program;
}

const char* programName() {
    return namedProgram;
}

std::string formatted(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::string text = filled(format, arguments);
    va_end(arguments);
    return text;
}

void printOutput(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    putOutput(filled(format, arguments));
    va_end(arguments);
}

void putOutput(const std::string& text) {
    outputStream().write(text);
}

void putDiagnostic(const std::string& text) {
    flushOutput();
    errorStream().write(text);
    errorStream().flush();
}

void printDiagnostic(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    putDiagnostic(filled(format, arguments));
    va_end(arguments);
}

void writeHeldText(const HeldText& held) {
    for (const auto& piece : held.pieces) {
        if (piece.first) {
            putDiagnostic(piece.second);
        } else {
            putOutput(piece.second);
        }
    }
}

void keepOutputInUtf8() {
    outputStream().flush();
    outputStream() = TextStream(stdout, consoleOf(stdout));
}

void flushOutput() {
    outputStream().flush();
}

int finishOutput(int status) {
    if (outputStream().flush()) {
        return status;
    }
    fail(standardOutputName, outputStream().error());
    return 1;
}
