#ifndef QUELT_IMAGE_RECORD_INDEX_H
#define QUELT_IMAGE_RECORD_INDEX_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
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

// Walks the records a sector search may match, in track order, straight from the
// file. The search ends at a header cut short by the end of the file, at a record
// whose sector count is 0 (not matched), or after the record whose position k
// equals its own sector count - 1 (that one is still matched). `k` is the
// position in the track of the record at `position`.
class RecordWalk {
public:
    explicit RecordWalk(int64_t position, int64_t k = 0) : position_(position), k_(k) {}
    bool next(FileReader& file, uint32_t& id, SectorLocation& location);

private:
    int64_t position_;
    int64_t k_;
    bool ended_ = false;
};

// The records that sector searches of one open file have walked, each read from
// the file once. A walk goes from record to record by the data lengths, so walks
// that meet at one record go on together: tracks that start at different records
// of one long run of records share what was read of it, and a search answers by
// looking its ID up instead of rescanning the track. Answers exactly as a fresh
// walk of the file would: the first record with the ID before the walk ends.
//
// The records are held in stretches, each read in one go: a stretch ends where its
// walk reached a record read before (it goes on there), the end of the walk (a
// header cut short or a sector count of 0), the record that ended the walk that
// read it (others may go on past it: it is read on when one does), or the limit.
class RecordIndex {
public:
    // One record for every byte of a file below 2 MiB: however the walks of such a
    // file overlap, all its records fit. Past the limit a walk goes on by reading
    // the file, as a walk without an index does.
    static constexpr std::size_t defaultRecordLimit = std::size_t{1} << 21;

    explicit RecordIndex(std::size_t recordLimit = defaultRecordLimit)
        : recordLimit_(recordLimit) {}
    // Forgets every record, for another file.
    void clear();
    // The record a search of the track that begins at `trackStart` finds for `id`.
    bool find(FileReader& file, int64_t trackStart, uint32_t id, SectorLocation& location);

private:
    // Where a walk goes on after a stretch.
    struct Continuation {
        enum Kind { record, walkEnd, unread, beyondLimit } kind = walkEnd;
        int32_t index = 0;     // the record, for kind `record`
        int64_t position = 0;  // where to read on, for `unread` and `beyondLimit`
    };
    struct Stretch {
        int32_t first = 0;
        int32_t end = 0;
        Continuation next;
    };
    // (key, record) pairs, sorted within each stretch, for the first record of a
    // stretch at or after a given one that has a given key.
    using KeyedRecords = std::vector<std::pair<uint32_t, int32_t>>;

    Continuation nextAfter(FileReader& file, int32_t index, int64_t k);
    Continuation continuationAt(FileReader& file, int64_t position, int64_t k);
    bool isKnown(int64_t position, Continuation& continuation) const;
    Continuation readStretch(FileReader& file, int64_t position, int64_t k);
    Continuation readRecordsFrom(FileReader& file, int64_t position, int64_t k);
    void appendRecord(int64_t position, const RecordHeader& header);
    void sortStretch(int32_t first, int32_t end);
    std::size_t stretchNumber(int32_t index) const;
    int32_t firstKeyed(const KeyedRecords& keyed, const Stretch& stretch, uint32_t key,
                       int32_t from) const;
    int32_t firstWalkEnd(const Stretch& stretch, int32_t from, int64_t k) const;
    static bool findByReading(FileReader& file, int64_t position, int64_t k, uint32_t id,
                              SectorLocation& location);

    std::size_t recordLimit_;
    std::vector<SectorLocation> locations_;
    KeyedRecords byId_;         // key: the record's ID
    KeyedRecords byWalkStart_;  // key: where a walk that this record ends began (see .cpp)
    std::vector<Stretch> stretches_;
    std::vector<std::size_t> stretchOfRecord_;
    std::unordered_map<int64_t, int32_t> known_;  // position -> record, or walkEnds
};

#endif
