#ifndef QUELT_IMAGE_RECORD_WALK_H
#define QUELT_IMAGE_RECORD_WALK_H

#include <cstdint>

#include "image/file_reader.h"

// A track is a sequence of sector records, each a 16-byte header and its data;
// the next record follows the data directly.
constexpr int32_t recordHeaderSize = 16;

struct RecordHeader {
    uint8_t c = 0;
    uint8_t h = 0;
    uint8_t r = 0;
    uint8_t n = 0;
    int32_t sectorCount = 0;  // sectors in the track, as this record states it
    int32_t dataLength = 0;   // bytes of data that follow the header
};

// The ID fields C, H, R, N packed into one key.
uint32_t sectorId(uint8_t c, uint8_t h, uint8_t r, uint8_t n);
uint32_t sectorId(const RecordHeader& header);

struct SectorLocation {
    int64_t dataPosition = 0;
    int32_t dataLength = 0;
};

// What a walk over a track's records meets at one record. The walk numbers the
// records it passes k = 0, 1, ... from where it began.
enum class RecordStep {
    cutShort,   // the file ends inside the header: the walk ends before it
    countZero,  // the record states 0 sectors: the walk ends at it
    goesOn,     // a record, and the walk goes on after it
    endsAfter,  // a record whose k equals its own sector count - 1: the walk ends after it
};

// Reads the header of the record at `position`, the walk's k-th, into `header`
// and says how the walk fares there. Every walk over records takes its steps
// here; what a caller makes of a count of 0 is its own.
RecordStep stepRecord(FileReader& file, int64_t position, int64_t k, RecordHeader& header);

// Where the record after the one at `position` begins.
int64_t nextRecord(int64_t position, const RecordHeader& header);
// Where the data of the record at `position` lies.
SectorLocation dataOf(int64_t position, const RecordHeader& header);

// The sector search of a track by reading the file: the first record with `id`
// of the walk that is at `k` on the record at `position`. A record stating 0
// sectors ends the search unmatched; the record the walk ends after is matched.
bool searchByReading(FileReader& file, int64_t position, int64_t k, uint32_t id,
                     SectorLocation& location);

#endif
