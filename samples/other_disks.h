// Disks whose directory track shows each state the companions tell of a
// directory: other systems' tracks, an all-zero track, damaged game disks and
// images cut short. Every recipe is one disk of 80 tracks unless it says so.
#pragma once

#include <cstddef>
#include <cstdint>

#include "samples/d88_builder.h"

namespace d88build {

// Every track of `cylinders` cylinders holds `count` sectors of size code `n`
// (R 1 to count), each of `fill` bytes: a disk another system formatted (9
// sectors of 512 bytes: N 2).
Disk uniformDisk(int count, uint8_t n, uint8_t fill, int cylinders = 40);

// A disk whose every sector holds zeros, as a boot disk with no file system has.
Disk zeroDisk();

// The directory and allocation sectors one fill byte each.
Disk filledDirectoryDisk(uint8_t fill);

// A game disk: formatted, one file "notes" of 3000 bytes in clusters 20 and 21.
Disk gameDisk();

// gameDisk() whose directory track lacks sector `r`.
Disk gameDiskWithout(int r);

// Track 79 holds a sector of the largest size code (N 8, 32768 bytes) beside
// one of 256 bytes, and track 78 one of size code 9, which no record can hold.
Disk largestSectorSizes();

// The bytes of `disk` cut off `kept` bytes after the start of its track
// `track` (a negative `kept` cuts before the track).
Bytes cutInTrack(const Disk& disk, int track, long kept);

}  // namespace d88build
