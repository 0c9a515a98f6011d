#ifndef QUELT_NAMES_MEMBER_NAMES_H
#define QUELT_NAMES_MEMBER_NAMES_H

#include <string>

#include "names/shown_names.h"

// An archive member's name, shown and typed back as a disk's file names are.
// Collections keep names either as Unicode (UTF-8 or UTF-16 that the archive
// says it holds) or as the bytes the packing system wrote, which in Japanese
// collections are code page 932: the same Shift_JIS a disk's names are in.
struct MemberName {
    std::string bytes;     // UTF-8 when `unicode`, else the stored bytes
    bool unicode = false;  // the bytes are UTF-8 text

    bool empty() const { return bytes.empty(); }
    bool operator==(const MemberName& other) const {
        return bytes == other.bytes && unicode == other.unicode;
    }
};

// The name of stored bytes: Unicode when they are valid UTF-8 (ASCII, or a name
// written on a system whose text is UTF-8), else code page 932 bytes.
MemberName memberNameOfBytes(const std::string& bytes);

// The name as a listing shows it, in `form`, reversible: a Unicode name's
// characters (decoded) or bytes (escaped), a stored name as a disk's name is
// listed (names/shown_names.h); " \ and control bytes always as \xNN.
std::string memberNameText(const MemberName& name, NameForm form);

// The name as Unicode text for JSON: a stored name decoded from code page 932,
// each byte that converts to no character as U+FFFD.
std::string memberNameUnicode(const MemberName& name);

// Whether `typed` names this member: the text of either form above, the exact
// bytes (as typed, or as \xNN escapes), or Japanese text whose code page 932
// bytes are the stored ones; compared as typed names are made canonical
// (names/typed_names.h), so NFC and NFD find the same member.
bool memberNameMatches(const MemberName& name, const std::string& typed);

#endif
