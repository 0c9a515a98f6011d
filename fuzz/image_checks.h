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

#include "image/d88_image.h"
#include "samples/d88_builder.h"

namespace fuzzchecks {

using d88build::Bytes;

// Gives `image` (quelt's own, which lives as long as the process) record index
// limits that sweep the file at the first search, with listings cut short, when
// `swept`; else limits that read a little before they sweep. Reading long tracks record by record, as far as the default limits
// let it, would cost most of a run under the sanitizers.
void setLimits(D88Image& image, bool swept);
// Whether an input is read with the limits that sweep at once: half of them, by
// a hash of their bytes.
bool sweptInput(const uint8_t* data, std::size_t size);

// Reads the image `file` from memory. Checks the first `disksChecked`
// disks that lie at different offsets (disks at one offset answer alike), read
// with the limits that sweep at once when `swept`, else soon. Half the inputs
// are read each way: the sweep is checked on every kind of image, not only on
// those too large to read record by record, and reading stays quick.
void checkImage(const Bytes& file, int32_t disksChecked, bool swept);

}  // namespace fuzzchecks
