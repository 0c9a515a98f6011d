// Members' names by libarchive, in a locale of our choosing (see the header).
#include "archive/entry_names.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstdint>
#include <string>

#include "names/shift_jis.h"

#ifdef _WIN32
#include "names/unicode.h"
#else
#include <locale.h>
#endif

namespace {
constexpr char byteForByte[] = "ISO-8859-1";
constexpr char32_t lastByteCharacter = 0xFF;
constexpr char dosSeparator = '\\';

#ifdef _WIN32
// libarchive's names on Windows are UTF-16, from the archive's own Unicode or
// its stored bytes as ISO-8859-1 (ZIP, tar and LZH).
std::string entryText(struct archive_entry* entry) {
    const wchar_t* wide = archive_entry_pathname_w(entry);
    return wide != nullptr ? utf8OfWide(wide) : std::string();
}

bool byteForByteFormat(int format) {
    return format == ARCHIVE_FORMAT_LHA || format == ARCHIVE_FORMAT_ZIP ||
           format == ARCHIVE_FORMAT_TAR;
}
#else
locale_t newUtf8Locale() {
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        if (locale_t made = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(0))) {
            return made;
        }
    }
    return static_cast<locale_t>(0);
}

// In the UTF-8 locale a name is its Unicode text, or its stored bytes where
// libarchive was told nothing of them.
std::string entryText(struct archive_entry* entry) {
    const char* text = archive_entry_pathname(entry);
    return text != nullptr ? text : std::string();
}

bool byteForByteFormat(int format) {
    return format == ARCHIVE_FORMAT_LHA;
}
#endif

// The code points of UTF-8 `text` as bytes when each is one (ISO-8859-1 gave
// a character for each stored byte); false when one is above U+00FF, a name
// the archive marked as Unicode.
bool bytesOfLatin1(const std::string& text, std::string& bytes) {
    bytes.clear();
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto lead = static_cast<uint8_t>(text[at]);
        char32_t point = lead;
        if (lead >= 0xC2 && lead <= 0xC3 && at + 1 < text.size()) {
            point = static_cast<char32_t>(((lead & 0x1F) << 6) | (text[++at] & 0x3F));
        } else if (lead >= 0x80) {
            return false;
        }
        if (point > lastByteCharacter) {
            return false;
        }
        bytes += static_cast<char>(point);
    }
    return true;
}

// libarchive takes a \ in an LZH name of levels 0 and 1 (and on Windows in a
// ZIP's) for MS-DOS's folder separator and gives it as /, code page 932's
// trail bytes too (0x95 0x5C is 表): a / right after a lead byte is such a
// trail byte, since / is none.
void restoreTrailBackslashes(std::string& bytes) {
    for (std::size_t at = 0; at + 1 < bytes.size(); ++at) {
        if (isShiftJisLeadByte(static_cast<uint8_t>(bytes[at]))) {
            ++at;
            bytes[at] = bytes[at] == '/' ? dosSeparator : bytes[at];
        }
    }
}
}  // namespace

#ifdef _WIN32
NameLocale::~NameLocale() = default;
LibarchiveLocale::LibarchiveLocale(NameLocale&) {}
LibarchiveLocale::~LibarchiveLocale() = default;
#else
NameLocale::~NameLocale() {
    if (made_ != nullptr) {
        freelocale(static_cast<locale_t>(made_));
    }
}

LibarchiveLocale::LibarchiveLocale(NameLocale& names) {
    if (!names.tried_) {
        names.made_ = newUtf8Locale();
        names.tried_ = true;
    }
    if (names.made_ != nullptr) {
        previous_ = uselocale(static_cast<locale_t>(names.made_));
    }
}

LibarchiveLocale::~LibarchiveLocale() {
    if (previous_ != nullptr) {
        uselocale(static_cast<locale_t>(previous_));
    }
}
#endif

void readNamesByteForByte(struct archive* reader) {
    archive_read_set_format_option(reader, "lha", "hdrcharset", byteForByte);
#ifdef _WIN32
    // libarchive on Windows would read them in the code page, which loses them.
    archive_read_set_format_option(reader, "zip", "hdrcharset", byteForByte);
    archive_read_set_format_option(reader, "tar", "hdrcharset", byteForByte);
#endif
}

MemberName memberNameOf(struct archive* reader, struct archive_entry* entry) {
    const std::string text = entryText(entry);
    const int format = archive_format(reader) & ARCHIVE_FORMAT_BASE_MASK;
    std::string bytes;
    if (!byteForByteFormat(format) || !bytesOfLatin1(text, bytes)) {
        return memberNameOfBytes(text);
    }
    restoreTrailBackslashes(bytes);
    return memberNameOfBytes(bytes);
}
