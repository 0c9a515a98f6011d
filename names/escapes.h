#ifndef QUELT_NAMES_ESCAPES_H
#define QUELT_NAMES_ESCAPES_H

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

// ---- Listed names' escapes

// One byte of a disk's name as a listing writes it in the escaped form:
// printable ASCII stays as it is; every other byte, and the quote and backslash
// themselves, become \xNN, so the listing stays plain ASCII and a name's every
// byte can be told from the output.
std::string listedByte(uint8_t byte);

// The bytes a name written that way stands for (without the quotes): each \xNN,
// its hex digits in either case, is that byte; every other character, a
// backslash that begins no such escape included, stands for itself.
std::string bytesOfListedName(const char* text);

// ---- Paths shown

// Paths in the companions' output. A path is any bytes (UTF-8 on Windows); each
// rendering has one function here, so that every line that shows a path shows
// it the same way.

// For text people read (the listing's headings, diagnostics, "copying" lines):
// one line whatever the path holds. A byte below 0x20, 0x7F and a byte that is
// no part of a UTF-8 character are \xNN; everything else stands as it is.
std::string pathForLine(const std::string& path);

// For --short's path column: reversible, every path one text and no two paths
// the same. As pathForLine, and a backslash is \\ besides; printf '%b' gives the
// bytes back.
std::string pathForColumn(const std::string& path);

// For JSON's text field: valid UTF-8 as it is, each byte that is no part of a
// UTF-8 character as U+FFFD. Not reversible: JSON's *_hex field beside it is.
std::string pathAsUnicode(const std::string& path);

#endif
