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

// The disks the tools read number a track's sectors 1 to 16, each of size code
// 1 (256 bytes). A sector run steps through that range, and D88Image starts
// with it until it is told another.
constexpr int32_t firstSectorNumber = 1;
constexpr int32_t lastSectorNumber = 16;
constexpr int32_t sectorSizeCode = 1;

// The largest size code whose sectors a record's 16-bit data length can hold
// (32,768 bytes).
constexpr int32_t largestSizeCode = 8;

// Bytes in a sector of size code `n`, for n from 0 to largestSizeCode.
constexpr int32_t sectorLength(int32_t n) {
    return 128 << n;
}

// Whether sectors of size code `n` have a length (sectorLength): codes above
// largestSizeCode name none that a record could hold.
constexpr bool sizeCodeHasLength(int32_t n) {
    return n >= 0 && n <= largestSizeCode;
}

#endif
