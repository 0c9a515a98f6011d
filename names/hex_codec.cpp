// The hex escapes and dumps of names and paths (see the header).
#include "names/hex_codec.h"

#include <cstring>

namespace {
constexpr char upperDigits[] = "0123456789ABCDEF";
constexpr char lowerDigits[] = "0123456789abcdef";
constexpr std::size_t digitsPerByte = 2;
}  // namespace

std::string hexEscape(const char* prefix, uint8_t byte) {
    return std::string(prefix) + upperDigits[byte >> 4] + upperDigits[byte & 0x0F];
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

bool hexEscapeAt(const std::string& text, std::size_t at, const char* prefix, uint8_t& byte) {
    const std::size_t length = std::strlen(prefix);
    if (at + length + digitsPerByte > text.size() || text.compare(at, length, prefix) != 0) {
        return false;
    }
    const int high = hexDigitValue(text[at + length]);
    const int low = hexDigitValue(text[at + length + 1]);
    if (high < 0 || low < 0) {
        return false;
    }
    byte = static_cast<uint8_t>(high * 16 + low);
    return true;
}

std::string unescapedHex(const std::string& text, const char* prefix) {
    const std::size_t escapeLength = std::strlen(prefix) + digitsPerByte;
    std::string bytes;
    for (std::size_t at = 0; at < text.size();) {
        uint8_t byte = 0;
        if (hexEscapeAt(text, at, prefix, byte)) {
            bytes += static_cast<char>(byte);
            at += escapeLength;
        } else {
            bytes += text[at++];
        }
    }
    return bytes;
}

std::string withUpperCaseEscapes(const std::string& text, const char* prefix) {
    std::string written;
    for (std::size_t at = 0; at < text.size();) {
        uint8_t byte = 0;
        if (hexEscapeAt(text, at, prefix, byte)) {
            written += hexEscape(prefix, byte);
            at += std::strlen(prefix) + digitsPerByte;
        } else {
            written += text[at++];
        }
    }
    return written;
}

std::string hexOfBytes(const uint8_t* bytes, std::size_t count) {
    std::string text;
    text.reserve(count * digitsPerByte);
    for (std::size_t i = 0; i < count; ++i) {
        text += lowerDigits[bytes[i] >> 4];
        text += lowerDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string hexOfBytes(const std::string& bytes) {
    return hexOfBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}
