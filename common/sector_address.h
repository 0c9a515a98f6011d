#ifndef QUELT_COMMON_SECTOR_ADDRESS_H
#define QUELT_COMMON_SECTOR_ADDRESS_H

#include <cstdint>

// Names one sector of the selected disk. The track index picks the track-table
// entry; C, H, R and N are matched against the records' ID fields. The two are
// independent: callers keep track = C * 2 + H on the disks the tool reads.
struct SectorAddress {
    int32_t track;
    int32_t c;
    int32_t h;
    int32_t r;
    int32_t n;  // size code: the sector holds 128 << n bytes
};

#endif
