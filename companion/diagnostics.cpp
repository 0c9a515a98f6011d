// The companions' one-line failure reports and the system's reasons (see the header).
#include "companion/diagnostics.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

#include "companion/console.h"
#include "names/escapes.h"

namespace {
// Other programs' messages end without a period and are one line.
std::string trimmedReason(std::string text) {
    while (!text.empty() && (text.back() == '.' || text.back() == '\r' || text.back() == '\n' ||
                             text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

bool plainAscii(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
            return false;
        }
    }
    return !text.empty();
}

std::string numberedReason(int code) {
    return "system error " + std::to_string(code);
}

#ifdef _WIN32
std::string windowsReason(int code) {
    constexpr DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                            FORMAT_MESSAGE_MAX_WIDTH_MASK;
    char text[512] = {};
    DWORD length = FormatMessageA(flags, nullptr, static_cast<DWORD>(code),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text,
                                  sizeof text, nullptr);
    return trimmedReason(std::string(text, length));
}
#endif

// Every line on standard error: "PROGRAM: TEXT\n".
std::string lineOf(const std::string& text) {
    return formatted("%s: %s\n", programName(), text.c_str());
}

void printLine(const std::string& text) {
    putDiagnostic(lineOf(text));
}
}  // namespace

SystemError lastErrnoError() {
    return {SystemError::Kind::errnoValue, errno};
}

SystemError lastSystemError() {
#ifdef _WIN32
    return {SystemError::Kind::windowsCode, static_cast<int>(GetLastError())};
#else
    return lastErrnoError();
#endif
}

SystemError systemErrorOf(const std::error_code& code) {
#ifdef _WIN32
    if (code.category() == std::system_category()) {
        return {SystemError::Kind::windowsCode, code.value()};
    }
#endif
    return {SystemError::Kind::errnoValue, code.value()};
}

std::string reasonFor(const SystemError& error) {
    std::string reason;
#ifdef _WIN32
    if (error.kind == SystemError::Kind::windowsCode) {
        reason = windowsReason(error.code);
    }
#endif
    if (error.kind == SystemError::Kind::errnoValue) {
        reason = trimmedReason(std::strerror(error.code));
    }
    return plainAscii(reason) ? reason : numberedReason(error.code);
}

void fail(const std::string& file, const SystemError& error) {
    fail(file, reasonFor(error));
}

std::string failureLine(const std::string& file, const std::string& reason) {
    return lineOf(pathForLine(file) + ": " + reason);
}

void fail(const std::string& file, const std::string& reason) {
    putDiagnostic(failureLine(file, reason));
}

void fail(const std::string& text) {
    printLine(text);
}

void warn(const std::string& file, const std::string& reason) {
    printLine(pathForLine(file) + ": warning: " + reason);
}

void failInvalidArgument(const char* what, const char* argument, const char* expected) {
    printLine(std::string("invalid ") + what + " '" + pathForLine(argument) + "': expected " +
              expected);
}

void failMissingOperand(const char* expected) {
    printLine(std::string("missing operand: expected ") + expected);
}

void failExtraOperand(const char* operand, const char* expected) {
    printLine(std::string("extra operand '") + pathForLine(operand) + "': expected " + expected);
}
