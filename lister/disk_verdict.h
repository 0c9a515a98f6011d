#ifndef QUELT_LISTER_DISK_VERDICT_H
#define QUELT_LISTER_DISK_VERDICT_H

#include <cstdint>

#include "image/d88_image.h"

// What quelt's recognition tests say of one disk, taken with quelt's own code.
struct DiskVerdict {
    bool headerRead = false;
    bool demoSignature = false;
    bool directoryRead = false;
    bool listsStartup = false;
    bool listsBgmscore = false;
};

// Selects disk `diskIndex` and runs quelt's tests on it. Leaves the disk selected
// and its directory and allocation table loaded (cleared when unreadable).
DiskVerdict judgeDisk(D88Image& image, int32_t diskIndex);

#endif
