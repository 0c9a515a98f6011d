#ifndef QUELT_RECOGNITION_DISK_VERDICT_H
#define QUELT_RECOGNITION_DISK_VERDICT_H

#include <cstdint>

#include "image/d88_image.h"
#include "recognition/directory_verdict.h"

// What quelt's recognition tests say of one disk, taken with quelt's own code,
// and the companions' verdict on its directory.
struct DiskVerdict {
    bool headerRead = false;
    bool demoSignature = false;
    DirectoryVerdict directory;
    bool listsStartup = false;
    bool listsBgmscore = false;
};

// Selects disk `diskIndex`, runs quelt's tests on it and judges its directory,
// which it reads once; the signature sector is read into `buffer`
// (demo_signature.h). Leaves the disk selected and its directory and
// allocation table loaded (cleared when they could not be read whole).
DiskVerdict judgeDisk(D88Image& image, int32_t diskIndex, uint8_t* buffer);

#endif
