#ifndef QUELT_ARCHIVE_COMPRESSED_FORMS_H
#define QUELT_ARCHIVE_COMPRESSED_FORMS_H

#include <cstddef>
#include <cstdint>
#include <string>

// How many of a file's first bytes compressedFormOf looks at.
constexpr std::size_t formSignatureReach = 264;

// What a file that is no D88 image is, when its first bytes are the signature
// of a compressed or archived form: "gzip data", "ZIP archive"; empty when they
// are none of them. libarchive names only the forms it can read; this names a
// form the build cannot read, and a member that is itself an archive, which is
// never unpacked further. It only names: nothing is read by it.
std::string compressedFormOf(const uint8_t* bytes, std::size_t count);

#endif
