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

// ---- Code page 932's variant characters

// Seven characters of the disks' names have two Unicode forms: the one code page
// 932 decodes them to (what quelt-ls shows), and the one the JIS standard, and so
// many input methods, fonts and web pages, give for the same character. A user
// who types "〜" (U+301C WAVE DASH) means the "～" (U+FF5E) a listing shows.

struct CodePage932Variant {
    const char* typed;     // the JIS form, UTF-8
    const char* decoded;   // code page 932's form, UTF-8
    const char* shiftJis;  // the character's two bytes on the disk
};

// Wave dash, minus sign, double vertical line, cent, pound and not signs, em
// dash. Kept by hand: no converter names all seven (glibc's SHIFT_JIS gives the
// first six, not the em dash; Windows has no JIS converter for them), and the
// list is fixed by the two mappings' published tables.
extern const CodePage932Variant codePage932Variants[7];

// `text` with each JIS form replaced by code page 932's.
std::string withCodePage932Forms(const std::string& text);

#endif
