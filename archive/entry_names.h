#ifndef QUELT_ARCHIVE_ENTRY_NAMES_H
#define QUELT_ARCHIVE_ENTRY_NAMES_H

#include "names/member_names.h"

struct archive;
struct archive_entry;

// Members' names as their archives hold them, whatever the user's locale:
// libarchive turns names into the text of the locale it runs in, so it runs in
// one of our choosing, and names it cannot take as text are read byte for byte.

// The UTF-8 locale one archive's libarchive calls run in: made at its first
// use (a file that is no archive never needs one) and freed with the reader
// that holds it. Nothing on Windows, where libarchive's names are UTF-16
// whatever the locale.
class NameLocale {
public:
    NameLocale() = default;
    ~NameLocale();
    NameLocale(const NameLocale&) = delete;
    NameLocale& operator=(const NameLocale&) = delete;

private:
    friend class LibarchiveLocale;
    void* made_ = nullptr;
    bool tried_ = false;
};

// While one lives, this thread's libarchive calls run in `names`'s locale:
// names an archive says are Unicode (7-Zip's UTF-16, pax, ZIP's UTF-8 mark)
// come as UTF-8, and stored bytes pass as they are.
class LibarchiveLocale {
public:
    explicit LibarchiveLocale(NameLocale& names);
    ~LibarchiveLocale();
    LibarchiveLocale(const LibarchiveLocale&) = delete;
    LibarchiveLocale& operator=(const LibarchiveLocale&) = delete;

private:
    void* previous_ = nullptr;
};

// Tells `reader`'s formats that convert every name to Unicode (LZH; ZIP and
// tar on Windows) to take stored names as ISO-8859-1, a character for each byte, so
// that no name fails to convert and each gives its bytes back.
void readNamesByteForByte(struct archive* reader);

// The current entry's name: its bytes, and whether they are UTF-8.
MemberName memberNameOf(struct archive* reader, struct archive_entry* entry);

#endif
