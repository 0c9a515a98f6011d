#include "lister/quoted_text.h"

#include <cstdio>

namespace {
constexpr uint8_t firstPrintable = 0x20;
constexpr uint8_t lastPrintable = 0x7E;
constexpr char quote = '"';
constexpr char backslash = '\\';

bool standsAsItIs(uint8_t byte) {
    return byte >= firstPrintable && byte <= lastPrintable && byte != quote && byte != backslash;
}

void appendEscaped(std::string& text, uint8_t byte) {
    char escape[sizeof "\\xFF"];
    std::snprintf(escape, sizeof escape, "\\x%02X", byte);
    text += escape;
}
}  // namespace

std::string quotedText(const uint8_t* bytes, std::size_t maxLength) {
    std::string text(1, quote);
    for (std::size_t i = 0; i < maxLength && bytes[i] != 0; ++i) {
        if (standsAsItIs(bytes[i])) {
            text += static_cast<char>(bytes[i]);
        } else {
            appendEscaped(text, bytes[i]);
        }
    }
    text += quote;
    return text;
}
