// The signatures of compressed and archived forms, by name.
#include "archive/compressed_forms.h"

#include <cstring>

namespace {
constexpr int anyByte = -1;

// `text`'s bytes at `offset` (`length` of them, NULs included); the byte at
// `wildcard` may be any.
struct Signature {
    std::size_t offset;
    const char* text;
    std::size_t length;
    int wildcard;
    const char* name;
};

const Signature signatures[] = {
    {0, "\x1F\x8B", 2, anyByte, "gzip data"},
    {0, "BZh", 3, anyByte, "bzip2 data"},
    {0, "\xFD\x37\x7A\x58\x5A\x00", 6, anyByte, "xz data"},
    {0, "\x28\xB5\x2F\xFD", 4, anyByte, "zstd data"},
    {0, "\x04\x22\x4D\x18", 4, anyByte, "lz4 data"},
    {0, "LZIP", 4, anyByte, "lzip data"},
    {0, "\x89LZO\0\r\n\x1A\n", 9, anyByte, "lzop data"},
    {0, "\x1F\x9D", 2, anyByte, "compress data"},
    {0, "\x5D\x00\x00", 3, anyByte, "lzma data"},
    {0, "PK\x03\x04", 4, anyByte, "ZIP archive"},
    {0, "PK\x05\x06", 4, anyByte, "ZIP archive"},
    {0, "7z\xBC\xAF\x27\x1C", 6, anyByte, "7-Zip archive"},
    {0, "Rar!\x1A\x07", 6, anyByte, "RAR archive"},
    {0, "MSCF\0\0\0\0", 8, anyByte, "cabinet archive"},
    {2, "-lh?-", 5, 3, "LZH archive"},
    {2, "-lz?-", 5, 3, "LZH archive"},
    {257, "ustar", 5, anyByte, "tar archive"},
    {0, "07070", 5, anyByte, "cpio archive"},
};

bool matches(const Signature& signature, const uint8_t* bytes, std::size_t count) {
    if (count < signature.offset + signature.length) {
        return false;
    }
    for (std::size_t i = 0; i < signature.length; ++i) {
        const auto expected = static_cast<uint8_t>(signature.text[i]);
        if (static_cast<int>(i) != signature.wildcard && bytes[signature.offset + i] != expected) {
            return false;
        }
    }
    return true;
}
}  // namespace

std::string compressedFormOf(const uint8_t* bytes, std::size_t count) {
    for (const Signature& signature : signatures) {
        if (matches(signature, bytes, count)) {
            return signature.name;
        }
    }
    return "";
}

std::string compressedFormOf(ByteSource& source) {
    uint8_t first[formSignatureReach];
    return compressedFormOf(first, source.readAt(0, first, sizeof first));
}
