#ifndef QUELT_NAMES_UNICODE_PLATFORM_H
#define QUELT_NAMES_UNICODE_PLATFORM_H

#include <cstddef>
#include <string>

// What names/unicode_text.cpp asks of the library or platform, for text that
// is valid UTF-8 (names/utf8_text.h): one file each, unicode_unistring.cpp and
// unicode_windows.cpp.

// The text in Normalization Form C; the text itself when that cannot be had.
std::string nfcOfValidUtf8(const std::string& text);

// The text's columns on a terminal.
std::size_t widthOfValidUtf8(const std::string& text);

#endif
