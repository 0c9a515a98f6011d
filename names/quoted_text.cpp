#include "names/quoted_text.h"

#include "names/hex_codec.h"

namespace {
constexpr char quote = '"';
constexpr char backslash = '\\';

bool standsAsItIs(uint8_t byte) {
    return isPrintableAscii(byte) && byte != quote && byte != backslash;
}

constexpr char escapePrefix[] = "\\x";
constexpr std::size_t escapeLength = sizeof "\\xFF" - 1;

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Whether `at` begins with \xNN; its byte goes to `value`.
bool escapedByteAt(const char* at, int& value) {
    if (at[0] != backslash || at[1] != 'x' || hexDigitValue(at[2]) < 0 ||
        hexDigitValue(at[3]) < 0) {
        return false;
    }
    value = hexDigitValue(at[2]) * 16 + hexDigitValue(at[3]);
    return true;
}
}  // namespace

std::string bytesOfQuotedName(const char* text) {
    std::string bytes;
    for (const char* at = text; *at != '\0';) {
        int value = 0;
        if (escapedByteAt(at, value)) {
            bytes += static_cast<char>(value);
            at += escapeLength;
        } else {
            bytes += *at++;
        }
    }
    return bytes;
}

std::string quotedByte(uint8_t byte) {
    return standsAsItIs(byte) ? std::string(1, static_cast<char>(byte))
                              : hexEscape(escapePrefix, byte);
}

std::string quotedText(const uint8_t* bytes, std::size_t maxLength) {
    std::string text(1, quote);
    for (std::size_t i = 0; i < maxLength && bytes[i] != 0; ++i) {
        text += quotedByte(bytes[i]);
    }
    text += quote;
    return text;
}
