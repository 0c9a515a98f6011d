// Disks of other systems, built as their formatters and writers lay them out,
// for the rules that name them, and disks that look like them in one structure
// only.
#pragma once

#include <cstdint>

#include "samples/d88_builder.h"

namespace d88build {

// A FAT12 disk of the given geometry: a boot sector whose parameter block
// agrees with it (without `noBlock`), two FATs of 2 sectors that begin with the
// media byte, and a root directory of the label "WORK DISK", two files and one
// deleted entry.
struct Fat12Recipe {
    int cylinders = 80;
    int sectorsPerTrack = 9;
    uint8_t n = 2;
    uint8_t media = 0xF9;
    bool noBlock = false;
    int totalSectorsOff = 0;   // added to the block's total: a block that disagrees
    bool copiesDiffer = false;  // the second FAT differs from the first
};
Disk fat12Disk(const Fat12Recipe& recipe);

// A Hu-BASIC 2D disk with `files` files of one cluster each (clusters 2 on);
// without `directory`, track 1 holds 0xE5 fill instead of its directory.
Disk huBasicDisk(int files, bool directory = true);

// An F-BASIC 2D disk: its ID sector and `files` files of one cluster each.
Disk fBasicDisk(int files);

// An N88-BASIC 2D disk with `files` files of one cluster each on cylinder 18;
// without `directory`, its directory sector holds text instead.
Disk n88BasicDisk(int files, bool directory = true);

// A 2D disk of zero fill whose first sector is an X1 boot record loading a
// program "DEMO" of 1000 bytes at 0x8000.
Disk bootRecordDisk();

}  // namespace d88build
