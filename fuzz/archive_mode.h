// The archive fuzz mode: an input is a form, a few changes and an image. The
// image goes into an archive of that form (samples/archive_builder.h),
// the archive's bytes are changed as the input says (a fuzzed archive around a
// fuzzed image), and quelt-ls lists it from memory with --hash, so that every
// member is read to its end and hashed. Besides crashes and sanitizer reports,
// a status other than 0, 1 or 2 and a file written are findings.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzzarchives {

void listArchive(const uint8_t* data, std::size_t size);

}  // namespace fuzzarchives
