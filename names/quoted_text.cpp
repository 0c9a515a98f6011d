#include "names/quoted_text.h"

#include "names/hex_codec.h"

namespace {
constexpr char quote = '"';
constexpr char backslash = '\\';
constexpr char escapePrefix[] = "\\x";

bool standsAsItIs(uint8_t byte) {
    return isPrintableAscii(byte) && byte != quote && byte != backslash;
}
}  // namespace

std::string bytesOfQuotedName(const char* text) {
    return unescapedHex(text, escapePrefix);
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
