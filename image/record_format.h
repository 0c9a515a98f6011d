#ifndef QUELT_IMAGE_RECORD_FORMAT_H
#define QUELT_IMAGE_RECORD_FORMAT_H

#include <cstdint>

#include "common/little_endian.h"

// A track is a sequence of sector records, each a 16-byte header and its data;
// the next record follows the data directly. The header starts with the ID
// fields C, H, R and N.
constexpr int32_t recordHeaderSize = 16;
constexpr int recordSectorCountField = 4;
constexpr int recordDataLengthField = 14;

struct RecordHeader {
    uint8_t c = 0;
    uint8_t h = 0;
    uint8_t r = 0;
    uint8_t n = 0;
    int32_t sectorCount = 0;  // sectors in the track, as this record states it
    int32_t dataLength = 0;   // bytes of data that follow the header
};

// The header whose 16 bytes are at `bytes`.
inline RecordHeader parseRecordHeader(const uint8_t* bytes) {
    RecordHeader header;
    header.c = bytes[0];
    header.h = bytes[1];
    header.r = bytes[2];
    header.n = bytes[3];
    header.sectorCount = readLe16(bytes + recordSectorCountField);
    header.dataLength = readLe16(bytes + recordDataLengthField);
    return header;
}

// The ID fields C, H, R, N packed into one key, C in the lowest byte.
inline uint32_t sectorId(uint8_t c, uint8_t h, uint8_t r, uint8_t n) {
    return static_cast<uint32_t>(c) | (static_cast<uint32_t>(h) << 8) |
           (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(n) << 24);
}

inline uint32_t sectorId(const RecordHeader& header) {
    return sectorId(header.c, header.h, header.r, header.n);
}

// One ID field of a packed key: 0 for C, 1 for H, 2 for R, 3 for N.
inline uint8_t idField(uint32_t id, int field) {
    return static_cast<uint8_t>(id >> (8 * field));
}

// Where a record's data lies in the file.
struct SectorLocation {
    int64_t dataPosition = 0;
    int32_t dataLength = 0;
};

#endif
