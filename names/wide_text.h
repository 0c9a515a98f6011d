#ifndef QUELT_NAMES_WIDE_TEXT_H
#define QUELT_NAMES_WIDE_TEXT_H

// Windows' own text is UTF-16: its Unicode calls (normalisation, width, the
// console) take it. UTF-8 is turned into it and back here only, by Windows'
// converter. Elsewhere there is no such text.

#ifdef _WIN32
#include <string>

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
