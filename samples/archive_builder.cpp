#include "samples/archive_builder.h"

#include <archive.h>
#include <archive_entry.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>

#ifdef _WIN32
#include "names/unicode.h"
#else
#include <locale.h>
#endif

namespace d88build {

namespace {

constexpr size_t kZeroBlock = 1 << 20;
constexpr la_int64_t kMemberTime = 1700000000;

struct Writer {
    struct archive* handle = archive_write_new();
    Bytes out;
    ~Writer() { archive_write_free(handle); }
};

// The callbacks that append what libarchive writes to `out`.
la_ssize_t appendWritten(struct archive*, void* data, const void* bytes, size_t count) {
    Bytes& out = static_cast<Writer*>(data)->out;
    const auto* from = static_cast<const uint8_t*>(bytes);
    out.insert(out.end(), from, from + count);
    return static_cast<la_ssize_t>(count);
}

// Opens the writer on its memory; `what` names what it writes, for a failure.
void openInMemory(Writer& writer, const char* what) {
    require(archive_write_open2(writer.handle, &writer, nullptr, appendWritten, nullptr,
                                nullptr) == ARCHIVE_OK,
            what);
}

void setForm(struct archive* handle, ArchiveForm form) {
    switch (form) {
    case ArchiveForm::zip:
    case ArchiveForm::zipUtf8:
        archive_write_set_format_zip(handle);
        // Deflated quickly: the fuzz mode builds one for many inputs.
        archive_write_set_format_option(handle, "zip", "compression-level", "1");
        if (form == ArchiveForm::zipUtf8) {
            archive_write_set_format_option(handle, "zip", "hdrcharset", "UTF-8");
        }
        break;
    case ArchiveForm::tar:
        archive_write_set_format_pax_restricted(handle);
        break;
    case ArchiveForm::tarXz:
        archive_write_set_format_pax_restricted(handle);
        require(archive_write_add_filter_xz(handle) == ARCHIVE_OK, "xz in libarchive");
        break;
    case ArchiveForm::sevenZip:
        archive_write_set_format_7zip(handle);
        archive_write_set_format_option(handle, "7zip", "compression", "store");
        break;
    case ArchiveForm::lzh:
    case ArchiveForm::lzhLevel2:
        break;
    }
}

// Writes one member whose bytes `feed` supplies, block by block; its name is
// UTF-8 (`utf8`) or bytes written as they are.
void writeMember(struct archive* handle, const std::string& name, uint64_t size,
                 const std::function<void(struct archive*)>& feed, bool utf8 = false) {
    struct archive_entry* entry = archive_entry_new();
    if (utf8) {
#ifdef _WIN32
        // Windows' libarchive writes names from UTF-16.
        archive_entry_copy_pathname_w(entry, wideOfUtf8(name).c_str());
#else
        archive_entry_set_pathname_utf8(entry, name.c_str());
#endif
    } else {
        archive_entry_set_pathname(entry, name.c_str());
    }
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    archive_entry_set_size(entry, static_cast<la_int64_t>(size));
    archive_entry_set_mtime(entry, kMemberTime, 0);
    require(archive_write_header(handle, entry) == ARCHIVE_OK, archive_error_string(handle));
    feed(handle);
    archive_entry_free(entry);
}

// While one lives, libarchive turns UTF-8 names into UTF-16 (7-Zip) and pax
// text as in a UTF-8 locale, whatever the test's own is (Windows' needs none).
// ZIP is written outside one: a UTF-8 locale would mark every name.
struct Utf8Names {
#ifndef _WIN32
    locale_t previous = uselocale(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0)));
    ~Utf8Names() { freelocale(uselocale(previous)); }
#endif
};

Bytes written(ArchiveForm form, const std::vector<ArchiveMember>& members) {
    const bool zip = form == ArchiveForm::zip || form == ArchiveForm::zipUtf8;
    const std::unique_ptr<Utf8Names> names(zip ? nullptr : new Utf8Names);
    Writer writer;
    setForm(writer.handle, form);
    openInMemory(writer, "an archive in memory");
    for (const ArchiveMember& member : members) {
        writeMember(
            writer.handle, member.name, member.bytes.size(),
            [&member](struct archive* a) {
                archive_write_data(a, member.bytes.data(), member.bytes.size());
            },
            form != ArchiveForm::zip);
    }
    require(archive_write_close(writer.handle) == ARCHIVE_OK, "the archive's end");
    return writer.out;
}

// ---- LZH, level 0, stored

// 2023-11-14 22:13:20 as MS-DOS stores it, for the LZH headers.
constexpr uint64_t kDosTime = 0x576EB2AA;

void putLe(Bytes& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// CRC-16 as LZH computes it (polynomial 0x8005, reflected), of the member's
// bytes, a byte at a time from a table (the fuzz mode builds many).
uint16_t lzhCrc(const Bytes& bytes) {
    static const std::array<uint16_t, 256> table = [] {
        std::array<uint16_t, 256> made{};
        for (size_t i = 0; i < made.size(); ++i) {
            auto crc = static_cast<uint16_t>(i);
            for (int bit = 0; bit < 8; ++bit) {
                crc = static_cast<uint16_t>((crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1);
            }
            made[i] = crc;
        }
        return made;
    }();
    uint16_t crc = 0;
    for (uint8_t byte : bytes) {
        crc = static_cast<uint16_t>((crc >> 8) ^ table[(crc ^ byte) & 0xFF]);
    }
    return crc;
}

// One member: its level-0 header (its length and a checksum of its bytes, then
// the method, sizes, time, attributes, level, name and the CRC of the member's
// bytes) and its bytes as they are.
void appendLzhMember(Bytes& out, const ArchiveMember& member) {
    Bytes header;
    header.insert(header.end(), {'-', 'l', 'h', '0', '-'});
    putLe(header, member.bytes.size(), 4);  // stored: packed and original sizes alike
    putLe(header, member.bytes.size(), 4);
    putLe(header, kDosTime, 4);
    header.push_back(0x20);  // attributes: an archive file
    header.push_back(0);     // header level
    header.push_back(static_cast<uint8_t>(member.name.size()));
    header.insert(header.end(), member.name.begin(), member.name.end());
    putLe(header, lzhCrc(member.bytes), 2);
    uint8_t sum = 0;
    for (uint8_t byte : header) {
        sum = static_cast<uint8_t>(sum + byte);
    }
    out.push_back(static_cast<uint8_t>(header.size()));
    out.push_back(sum);
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), member.bytes.begin(), member.bytes.end());
}

// Level 2: the header's length, the fields as at level 0 up to the level (the
// time in Unix seconds), the CRC of the bytes, the system ('M'), then extended
// headers, each its length before it: the header's own CRC (0x00) and the name
// (0x01). The header's CRC is of the whole header with that field zero.
void appendLzhLevel2Member(Bytes& out, const ArchiveMember& member) {
    constexpr size_t kBaseSize = 24;
    constexpr size_t kCrcField = kBaseSize + 2 + 1;  // after the first size and the type
    const size_t total = kBaseSize + 2 + 3 + 2 + 1 + member.name.size() + 2;
    Bytes header;
    putLe(header, total, 2);
    header.insert(header.end(), {'-', 'l', 'h', '0', '-'});
    putLe(header, member.bytes.size(), 4);
    putLe(header, member.bytes.size(), 4);
    putLe(header, static_cast<uint64_t>(kMemberTime), 4);
    header.insert(header.end(), {0x20, 2});  // reserved, header level
    putLe(header, lzhCrc(member.bytes), 2);
    header.push_back('M');
    putLe(header, 3 + 2, 2);
    header.insert(header.end(), {0x00, 0, 0});  // the header's CRC, set below
    putLe(header, 1 + member.name.size() + 2, 2);
    header.push_back(0x01);
    header.insert(header.end(), member.name.begin(), member.name.end());
    putLe(header, 0, 2);  // no further extended header
    const uint16_t crc = lzhCrc(header);
    header[kCrcField] = static_cast<uint8_t>(crc);
    header[kCrcField + 1] = static_cast<uint8_t>(crc >> 8);
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), member.bytes.begin(), member.bytes.end());
}

Bytes lzhOf(const std::vector<ArchiveMember>& members, bool level2) {
    Bytes out;
    for (const ArchiveMember& member : members) {
        if (level2) {
            appendLzhLevel2Member(out, member);
        } else {
            appendLzhMember(out, member);
        }
    }
    out.push_back(0);  // the end of the archive
    return out;
}

}  // namespace

Bytes archiveOf(ArchiveForm form, const std::vector<ArchiveMember>& members) {
    if (form == ArchiveForm::lzh || form == ArchiveForm::lzhLevel2) {
        return lzhOf(members, form == ArchiveForm::lzhLevel2);
    }
    return written(form, members);
}

Bytes gzipOf(const Bytes& bytes) {
    Writer writer;
    archive_write_set_format_raw(writer.handle);
    archive_write_add_filter_gzip(writer.handle);
    openInMemory(writer, "gzip in memory");
    writeMember(writer.handle, "data", bytes.size(),
                [&bytes](struct archive* a) { archive_write_data(a, bytes.data(), bytes.size()); });
    require(archive_write_close(writer.handle) == ARCHIVE_OK, "the gzip data's end");
    return writer.out;
}

Bytes zipOfZeros(const std::string& name, uint64_t size) {
    Writer writer;
    archive_write_set_format_zip(writer.handle);
    openInMemory(writer, "a ZIP in memory");
    const Bytes zeros(kZeroBlock, 0);
    writeMember(writer.handle, name, size, [&zeros, size](struct archive* a) {
        for (uint64_t done = 0; done < size; done += zeros.size()) {
            archive_write_data(a, zeros.data(),
                               static_cast<size_t>(std::min<uint64_t>(zeros.size(), size - done)));
        }
    });
    require(archive_write_close(writer.handle) == ARCHIVE_OK, "the ZIP's end");
    return writer.out;
}

bool archivesHaveXz() {
    return archive_liblzma_version() != nullptr;
}

}  // namespace d88build
