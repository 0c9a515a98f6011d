#ifndef QUELT_NAMES_HEX_CODEC_H
#define QUELT_NAMES_HEX_CODEC_H

#include <cstdint>
#include <string>

// How the programs show the bytes of a name on the disk in plain ASCII: a
// printable byte may stand as it is, and any other is written as an escape.

inline bool isPrintableAscii(uint8_t byte) {
    constexpr uint8_t firstPrintable = 0x20;
    constexpr uint8_t lastPrintable = 0x7E;
    return byte >= firstPrintable && byte <= lastPrintable;
}

// `prefix` and the byte as two upper-case hex digits: "\\x" gives \x8A, "%" gives %8A.
inline std::string hexEscape(const char* prefix, uint8_t byte) {
    constexpr char hexDigits[] = "0123456789ABCDEF";
    return std::string(prefix) + hexDigits[byte >> 4] + hexDigits[byte & 0x0F];
}

#endif
