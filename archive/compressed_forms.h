#ifndef QUELT_ARCHIVE_COMPRESSED_FORMS_H
#define QUELT_ARCHIVE_COMPRESSED_FORMS_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/byte_source.h"

// How many of a file's first bytes compressedFormOf looks at.
constexpr std::size_t formSignatureReach = 264;

// What a file is when its first bytes are the signature of a compressed or
// archived form: "gzip data", "ZIP archive"; empty when they are none of them.
// It decides which files libarchive is asked to read (archive_reader.h), and
// names what a file that is no D88 image is when libarchive cannot read it (a
// form the build lacks) or is not asked to (a member that is itself an archive,
// never unpacked further). It only names: nothing is read by it.
std::string compressedFormOf(const uint8_t* bytes, std::size_t count);
// The same of the bytes `source` begins with.
std::string compressedFormOf(ByteSource& source);

#endif
