#ifndef QUELT_NAMES_CODE_PAGE_932_VARIANTS_H
#define QUELT_NAMES_CODE_PAGE_932_VARIANTS_H

#include <string>

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
