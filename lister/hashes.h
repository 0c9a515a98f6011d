#ifndef QUELT_LISTER_HASHES_H
#define QUELT_LISTER_HASHES_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "lister/crypto_digests.h"

// The CRC32, MD5 and SHA-1 of one run of bytes, as lowercase hex digits (as
// crc32, md5sum and sha1sum print them). All three are empty when the bytes
// could not be hashed.
struct Hashes {
    std::string crc32;
    std::string md5;
    std::string sha1;

    bool known() const { return !sha1.empty(); }
};

// The three hashes of bytes given in pieces, each piece fed to each hash once.
// CRC32 is zlib's; MD5 and SHA-1 are the system's (crypto_digests.h).
class HashSet {
public:
    HashSet();
    void add(const uint8_t* bytes, std::size_t count);
    // The hashes of every byte added; the set is spent afterwards.
    Hashes finish();

private:
    unsigned long crc_;
    CryptoDigests crypto_;
};

// The hashes of `count` bytes at `bytes`.
Hashes hashesOf(const uint8_t* bytes, std::size_t count);

#endif
