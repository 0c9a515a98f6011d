// Normalisation and width by GNU libunistring (POSIX systems).
#include "names/unicode.h"

#include <cstdint>
#include <cstdlib>

#include <uninorm.h>
#include <uniwidth.h>

namespace {
// Widths as in a UTF-8 locale: the characters whose width depends on the
// locale (East Asian "ambiguous" ones) count 1, as most terminals give them.
constexpr char widthEncoding[] = "UTF-8";

const uint8_t* unitsOf(const std::string& text) {
    return reinterpret_cast<const uint8_t*>(text.data());
}
}  // namespace

std::string nfcOfValidUtf8(const std::string& text) {
    std::size_t length = 0;
    uint8_t* normalized = u8_normalize(UNINORM_NFC, unitsOf(text), text.size(), nullptr, &length);
    if (normalized == nullptr) {
        return text;
    }
    std::string result(reinterpret_cast<const char*>(normalized), length);
    std::free(normalized);
    return result;
}

std::size_t widthOfValidUtf8(const std::string& text) {
    const int width = u8_width(unitsOf(text), text.size(), widthEncoding);
    return width > 0 ? static_cast<std::size_t>(width) : 0;
}
