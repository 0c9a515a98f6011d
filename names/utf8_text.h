#ifndef QUELT_NAMES_UTF8_TEXT_H
#define QUELT_NAMES_UTF8_TEXT_H

#include <cstddef>
#include <string>

// UTF-8 as the programs read it, strictly (RFC 3629): no overlong form, no
// surrogate, nothing above U+10FFFF, no character cut short. Paths and typed
// names are any bytes; what is not UTF-8 in them is told byte by byte.

// The length of the character that begins at `at` (1 for ASCII); 0 when the
// bytes there begin none.
std::size_t utf8CharacterLength(const std::string& text, std::size_t at);

bool isValidUtf8(const std::string& text);

#endif
