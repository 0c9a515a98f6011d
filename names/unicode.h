#ifndef QUELT_NAMES_UNICODE_H
#define QUELT_NAMES_UNICODE_H

#include <cstddef>
#include <string>

// ---- UTF-8

// UTF-8 as the programs read it, strictly (RFC 3629): no overlong form, no
// surrogate, nothing above U+10FFFF, no character cut short. Paths and typed
// names are any bytes; what is not UTF-8 in them is told byte by byte.

// The length of the character that begins at `at` (1 for ASCII); 0 when the
// bytes there begin none.
std::size_t utf8CharacterLength(const std::string& text, std::size_t at);

bool isValidUtf8(const std::string& text);

// ---- Normalisation and display width

// The Unicode rules names need, from a well-kept library or the platform, never
// from tables of our own: GNU libunistring on POSIX systems (u8_normalize,
// u8_width), Windows' NormalizeString and GetStringTypeW on Windows.

// `text` in Normalization Form C, the form code page 932 decodes to: a kana and
// its separate voicing mark, as macOS file names and many clipboards give them,
// become the one composed kana. Bytes that are not UTF-8 stay as they are, and
// the text is normalised in the runs between them.
std::string composedText(const std::string& text);

// The columns a terminal gives `text` (UTF-8): 2 for a wide character (kanji,
// kana, the full-width forms), 0 for a combining mark, 1 for others. A byte
// that is not UTF-8 counts 1.
std::size_t displayWidth(const std::string& text);

// `text` and spaces after it up to `width` columns (none when it is as wide).
std::string paddedToWidth(const std::string& text, std::size_t width);

// What composedText and displayWidth ask of the library or platform, for text
// that is valid UTF-8: one file each, unicode_unistring.cpp and
// unicode_windows.cpp.

// The text in Normalization Form C; the text itself when that cannot be had.
std::string nfcOfValidUtf8(const std::string& text);

// The text's columns on a terminal.
std::size_t widthOfValidUtf8(const std::string& text);

// ---- Windows' UTF-16

// Windows' own text is UTF-16: its Unicode calls (normalisation, width, the
// console) take it. UTF-8 is turned into it and back here only, by Windows'
// converter (in unicode_windows.cpp). Elsewhere there is no such text.

#ifdef _WIN32
// `text` (UTF-8) in UTF-16; each byte that is no part of a UTF-8 character
// becomes U+FFFD.
std::wstring wideOfUtf8(const std::string& text);
// `wide` in UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8OfWide(const std::wstring& wide);
// `text` (UTF-8) in the bytes of Windows code page `codePage` (932: Shift_JIS
// as Windows maps it); a character the code page lacks becomes its default
// character, '?' or the nearest it has.
std::string codePageOfUtf8(const std::string& text, unsigned codePage);
#endif

#endif
