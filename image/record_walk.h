#ifndef QUELT_IMAGE_RECORD_WALK_H
#define QUELT_IMAGE_RECORD_WALK_H

#include <bitset>
#include <cstdint>
#include <limits>

#include "common/little_endian.h"
#include "common/work_buffer.h"
#include "image/file_reader.h"

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

// The ID fields C, H, R, N packed into one key.
inline uint32_t sectorId(uint8_t c, uint8_t h, uint8_t r, uint8_t n) {
    return static_cast<uint32_t>(c) | (static_cast<uint32_t>(h) << 8) |
           (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(n) << 24);
}

inline uint32_t sectorId(const RecordHeader& header) {
    return sectorId(header.c, header.h, header.r, header.n);
}

struct SectorLocation {
    int64_t dataPosition = 0;
    int32_t dataLength = 0;
};

// A walk over records begins at a track's start; its track index names the C and
// H that the track's own sectors carry.
struct WalkStart {
    int64_t position = 0;
    int32_t track = 0;
};

inline bool operator<(const WalkStart& a, const WalkStart& b) {
    return a.position != b.position ? a.position < b.position : a.track < b.track;
}

inline bool operator==(const WalkStart& a, const WalkStart& b) {
    return a.position == b.position && a.track == b.track;
}

// A listing of a track counts at most as many records as the work buffer holds
// 4-byte IDs of.
constexpr int32_t longestListing = workBufferBytes / 4;

// What listing a track's records finds: how many are listed, as far as a limit,
// and the size codes N among them.
struct TrackListing {
    int32_t records = 0;
    std::bitset<256> sizeCodes;
};

// What a walk over a track's records meets at one record. The walk numbers the
// records it passes k = 0, 1, ... from where it began.
enum class RecordStep {
    cutShort,   // the file ends inside the header: the walk ends before it
    countZero,  // the record states 0 sectors: the walk ends at it
    goesOn,     // a record, and the walk goes on after it
    endsAfter,  // a record whose k equals its own sector count - 1: the walk ends after it
};

// The step and its helpers are defined here, inline, because the index and the
// ID list take a step for every record they read.

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

// False when the file ends before the header at `position` is whole.
inline bool readRecordHeader(FileReader& file, int64_t position, RecordHeader& header) {
    uint8_t bytes[recordHeaderSize];
    if (file.readAt(position, bytes, sizeof bytes) != sizeof bytes) {
        return false;
    }
    header = parseRecordHeader(bytes);
    return true;
}

// How a walk that is at `k` on a whole record with `header` fares there. The
// count is tested before anything else of the record: a count of 0 ends the walk
// whatever its k.
inline RecordStep stepOf(const RecordHeader& header, int64_t k) {
    if (header.sectorCount == 0) {
        return RecordStep::countZero;
    }
    return k == header.sectorCount - 1 ? RecordStep::endsAfter : RecordStep::goesOn;
}

// Reads the header of the record at `position`, the walk's k-th, into `header`
// and says how the walk fares there. Every walk that reads the file record by
// record takes its steps here; what a caller makes of a count of 0 is its own.
inline RecordStep stepRecord(FileReader& file, int64_t position, int64_t k,
                             RecordHeader& header) {
    if (!readRecordHeader(file, position, header)) {
        return RecordStep::cutShort;
    }
    return stepOf(header, k);
}

// Where the record after the one at `position` begins.
inline int64_t nextRecord(int64_t position, const RecordHeader& header) {
    return position + recordHeaderSize + header.dataLength;
}

// Where the data of the record at `position` lies.
inline SectorLocation dataOf(int64_t position, const RecordHeader& header) {
    return {position + recordHeaderSize, header.dataLength};
}

// What searches by reading the file may still read: records, and bytes the
// file supplies (a record far from the one before costs a whole refill of the
// reader's window).
class ReadingBudget {
public:
    ReadingBudget(int64_t records, int64_t bytes) : records_(records), bytes_(bytes) {}
    static ReadingBudget unlimited() {
        return {std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::max()};
    }
    // Takes one record's step; false, taking none, when the budget is spent.
    bool spend(const FileReader& file) {
        if (records_ <= 0 || file.bytesSupplied() > bytes_) {
            return false;
        }
        --records_;
        return true;
    }

private:
    int64_t records_;
    int64_t bytes_;  // what the file may have supplied since it was opened
};

// What a search by reading the file came to.
enum class SearchResult { found, absent, outOfSteps };

// The sector search of a track by reading the file: the first record with `id`
// of the walk that is at `k` on the record at `position`. A record stating 0
// sectors ends the search unmatched; the record the walk ends after is matched.
// Each record read is a step of `budget`; a search that spends it stops with
// outOfSteps.
SearchResult searchByReading(FileReader& file, int64_t position, int64_t k, uint32_t id,
                             SectorLocation& location, ReadingBudget& budget);

#endif
