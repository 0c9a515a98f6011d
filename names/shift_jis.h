#ifndef QUELT_NAMES_SHIFT_JIS_H
#define QUELT_NAMES_SHIFT_JIS_H

// The disks' names are Shift_JIS (code page 932) bytes. These turn them into
// UTF-8 for the companions' decoded names, and UTF-8 typed by the user back into
// them, one character at a time through the platform's own converter (iconv on
// POSIX, opened once per run; MultiByteToWideChar and WideCharToMultiByte on
// Windows). A character
// counts as converted only when it converts back to the very same bytes, so each
// text stands for exactly one name.

#include <cstdint>
#include <string>

// How a byte that is not part of a converted character is written: as it is,
// or as an escape (\xNN in a listing, %XX in a file name).
using SingleByteText = std::string (*)(uint8_t byte);

// Whether `byte` begins a double-byte character (code page 932's lead bytes).
bool isShiftJisLeadByte(uint8_t byte);

// `bytes` as UTF-8: each double-byte character and half-width kana that converts
// stands as its UTF-8 text; every other byte, ASCII included, is given to `single`.
// The user-defined characters (lead bytes 0xF0 to 0xF9, Unicode's private use
// area) stay bytes: no two fonts show them alike.
std::string decodeShiftJis(const std::string& bytes, SingleByteText single);

// The Shift_JIS bytes of `text`: each UTF-8 character of two or more bytes that
// has a Shift_JIS form becomes it; every other byte stays as it is.
std::string encodeShiftJis(const std::string& text);

#endif
