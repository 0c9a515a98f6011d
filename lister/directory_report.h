#ifndef QUELT_LISTER_DIRECTORY_REPORT_H
#define QUELT_LISTER_DIRECTORY_REPORT_H

#include <cstdint>

#include "image/d88_image.h"

// Prints one line for every used entry of directoryTable: its slot, name, size,
// first cluster and the length of its cluster chain in allocationTable, flagging
// what keeps quelt from reading the file whole or finding it by name. A run of
// identical neighbouring entries is one line giving the slot range and count.
// When every used entry is one byte repeated, a last line says the disk holds
// no file of the set's file system. The tracks are checked on the selected disk
// of `image`.
void printDirectory(const D88Image& image);

#endif
