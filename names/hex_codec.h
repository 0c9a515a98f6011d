#ifndef QUELT_NAMES_HEX_CODEC_H
#define QUELT_NAMES_HEX_CODEC_H

#include <cstddef>
#include <cstdint>
#include <string>

// The one hex codec of names and paths. A byte that may not stand as it is is
// written as an escape, a prefix and two upper-case hex digits (\x8A in
// listings, %8A in written file names); a whole name or path is given to
// machines as its bytes' lower-case hex (JSON's *_hex fields). Escapes are read
// back with their digits in either case.

inline bool isPrintableAscii(uint8_t byte) {
    constexpr uint8_t firstPrintable = 0x20;
    constexpr uint8_t lastPrintable = 0x7E;
    return byte >= firstPrintable && byte <= lastPrintable;
}

// `prefix` and the byte as two upper-case hex digits: "\\x" gives \x8A, "%" gives %8A.
std::string hexEscape(const char* prefix, uint8_t byte);

// The value of one hex digit, either case; -1 for any other character.
int hexDigitValue(char c);

// Whether `text` holds `prefix` and two hex digits at `at`; their byte goes to `byte`.
bool hexEscapeAt(const std::string& text, std::size_t at, const char* prefix, uint8_t& byte);

// `text` with every escape `prefix`NN (either case) as its byte; all else as it is.
std::string unescapedHex(const std::string& text, const char* prefix);

// `text` with the digits of every escape `prefix`NN in upper case, as written.
std::string withUpperCaseEscapes(const std::string& text, const char* prefix);

// Each byte of `bytes` as two lower-case hex digits: "\x83Q" gives "8351" (as
// the hash tools print digests).
std::string hexOfBytes(const std::string& bytes);
std::string hexOfBytes(const uint8_t* bytes, std::size_t count);

#endif
