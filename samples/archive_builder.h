// Builds archives and compressed files in memory around images the tests make,
// with libarchive's writer (the same library the companions read them with),
// and LZH archives, which libarchive reads but does not write, by hand: their
// stored (-lh0-) form is a header and the bytes. No archive is kept as a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "samples/d88_builder.h"

namespace d88build {

struct ArchiveMember {
    std::string name;  // with / between folders; UTF-8 for the forms that keep Unicode
    Bytes bytes;
};

enum class ArchiveForm {
    zip,        // deflated; each name its bytes as given, not marked as UTF-8
    zipUtf8,    // deflated; names marked as UTF-8 (flag bit 11)
    tar,        // POSIX tar, uncompressed
    tarXz,      // POSIX tar, xz-compressed (needs the build's libarchive to have liblzma)
    sevenZip,   // stored, so that every build reads it
    lzh,        // LZH, level-0 headers, stored; each name its bytes as given
    lzhLevel2,  // LZH, level-2 headers, stored; each name its bytes as given
};

// An archive of the members, in the order given.
Bytes archiveOf(ArchiveForm form, const std::vector<ArchiveMember>& members);
// `bytes` gzip-compressed, as one file (x.d88.gz).
Bytes gzipOf(const Bytes& bytes);
// A ZIP of one member, `name`, of `size` zero bytes, written a block at a time:
// a few KiB that unpack to any size.
Bytes zipOfZeros(const std::string& name, uint64_t size);

// Whether the build's libarchive can write and read xz.
bool archivesHaveXz();

}  // namespace d88build
