#ifndef QUELT_IMAGE_TRACK_INDEX_H
#define QUELT_IMAGE_TRACK_INDEX_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/file_reader.h"

// A track is a sequence of sector records, each a 16-byte header and its data.
constexpr int32_t recordHeaderSize = 16;

struct RecordHeader {
    uint8_t c = 0;
    uint8_t h = 0;
    uint8_t r = 0;
    uint8_t n = 0;
    int32_t sectorCount = 0;  // sectors in the track, as this record states it
    int32_t dataLength = 0;   // bytes of data that follow the header
};

// Reads the record header at `position`; false when the file ends before it is whole.
bool readRecordHeader(FileReader& file, int64_t position, RecordHeader& header);

// The ID fields C, H, R, N packed into one key.
uint32_t sectorId(uint8_t c, uint8_t h, uint8_t r, uint8_t n);

struct SectorLocation {
    int64_t dataPosition = 0;
    int32_t dataLength = 0;
};

// Walks the records a sector search may match, in track order. The search ends
// at a header cut short by the end of the file, at a record whose sector count
// is 0 (not matched), or after the record whose position k equals its own
// sector count - 1 (that one is still matched).
class RecordWalk {
public:
    explicit RecordWalk(int64_t trackStart) : position_(trackStart) {}
    bool next(FileReader& file, uint32_t& id, SectorLocation& location);

private:
    int64_t position_;
    int64_t k_ = 0;
    bool ended_ = false;
};

// The matchable records of one track, so that a run over the track does not
// rescan it once per sector. Answers exactly as a fresh scan would: the first
// record with the ID wins. Past `indexLimit` records the rest is scanned plainly.
class TrackIndex {
public:
    static constexpr std::size_t indexLimit = 1u << 17;

    TrackIndex(FileReader& file, int64_t trackStart);
    bool find(FileReader& file, uint32_t id, SectorLocation& location) const;
    int64_t trackStart() const { return trackStart_; }

private:
    int64_t trackStart_;
    std::vector<uint32_t> ids_;
    std::vector<SectorLocation> locations_;
    RecordWalk rest_;  // where the indexed part ends
};

// The indexes of the tracks read most recently, for one open file.
class TrackIndexCache {
public:
    void clear() { entries_.clear(); }
    bool find(FileReader& file, int64_t trackStart, uint32_t id, SectorLocation& location);

private:
    static constexpr std::size_t capacity = 16;
    std::vector<TrackIndex> entries_;  // most recently used last
};

#endif
