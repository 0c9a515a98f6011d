#ifndef QUELT_NAMES_UNICODE_TEXT_H
#define QUELT_NAMES_UNICODE_TEXT_H

#include <cstddef>
#include <string>

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

#endif
