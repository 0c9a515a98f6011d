#ifndef QUELT_LISTER_DISK_REPORT_H
#define QUELT_LISTER_DISK_REPORT_H

#include <cstdint>

#include "image/d88_image.h"
#include "lister/disk_verdict.h"
#include "lister/role_picks.h"

// Prints the block of disk `diskIndex` (0-based; printed 1-based, as quelt
// numbers disks): its header, its tracks, quelt's verdict and the role quelt
// gives it, then its directory. Selects the disk and loads its directory, and
// overwrites workBuffer.
void printDiskBlock(D88Image& image, int32_t diskIndex, const DiskVerdict& verdict,
                    const RolePicks& picks);

#endif
