// CRC32 by zlib beside the system's MD5 and SHA-1, as hex digits.
#include "lister/hashes.h"

#include <algorithm>
#include <cstdio>

#include <zlib.h>

namespace {
// zlib's crc32 takes a 32-bit length: longer pieces go in slices.
constexpr std::size_t largestCrcSlice = 1u << 30;

std::string crcDigits(unsigned long crc) {
    char text[9];
    std::snprintf(text, sizeof text, "%08lx", crc & 0xFFFFFFFFul);
    return text;
}
}  // namespace

HashSet::HashSet() : crc_(crc32(0L, Z_NULL, 0)) {}

void HashSet::add(const uint8_t* bytes, std::size_t count) {
    crypto_.add(bytes, count);
    while (count > 0) {
        const std::size_t slice = std::min(count, largestCrcSlice);
        crc_ = crc32(crc_, bytes, static_cast<uInt>(slice));
        bytes += slice;
        count -= slice;
    }
}

Hashes HashSet::finish() {
    Hashes hashes;
    crypto_.finish(hashes.md5, hashes.sha1);
    if (hashes.md5.empty()) {
        hashes.sha1.clear();
        return hashes;
    }
    hashes.crc32 = crcDigits(crc_);
    return hashes;
}

Hashes hashesOf(const uint8_t* bytes, std::size_t count) {
    HashSet set;
    set.add(bytes, count);
    return set.finish();
}
