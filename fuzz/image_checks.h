// D88Image and the disks' file system checked on one image: opens it, selects
// every disk, lists the IDs of every track, reads sectors and runs of sectors at
// addresses taken from the listed IDs and from the image's own bytes, and
// compares each answer byte for byte with a plain walk of the track (within a
// budget of records, so that a long track stays quick); then reads each disk's
// directory and loads its files. Half the images, by a hash of their bytes, are
// read by an index that sweeps them at once, whose track listings are compared
// too; the others by one that sweeps after a little reading. A difference is a
// finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/record_index.h"
#include "support/d88_builder.h"

namespace fuzzchecks {

using d88build::Bytes;

// Record index limits that sweep the file at the first search, with listings
// cut short; and limits that read a little before they sweep. A target reads
// half its inputs with each.
extern const RecordIndex::Limits sweepAtOnce;
extern const RecordIndex::Limits sweepSoon;
constexpr uint32_t sweptSample = 2;

// Gives the programs' own image one of the two, by a hash of the input: reading
// long tracks record by record first, as the default limits do, costs most of a
// run under the sanitizers, and is what the image checks compare.
void setProgramsLimits(const uint8_t* data, std::size_t size);

// `file` holds the bytes of the image at `path`. Checks the first `disksChecked`
// disks that lie at different offsets (disks at one offset answer alike), read
// with the limits that sweep at once when `swept`, else soon. Without `swept`,
// an image falls in either half by a hash of its bytes.
void checkImage(const std::string& path, const Bytes& file, int32_t disksChecked, bool swept);
void checkImage(const std::string& path, const Bytes& file, int32_t disksChecked);

}  // namespace fuzzchecks
