#ifndef QUELT_IMAGE_RECORD_INDEX_H
#define QUELT_IMAGE_RECORD_INDEX_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "image/file_reader.h"
#include "image/record_walk.h"

// The records that sector searches of one open file have walked, each read from
// the file once. A walk goes from record to record by the data lengths, so walks
// that meet at one record go on together: tracks that start at different records
// of one long run of records share what was read of it, and a search answers by
// looking its ID up instead of rescanning the track. Answers exactly as a fresh
// walk of the file would: the first record with the ID before the walk ends.
//
// The records are held in stretches, each read in one go by the search that
// first came to them. A stretch ends at a record read before, at the end of
// every walk (a header cut short or a sector count of 0), after the record that
// ends the walk reading it, or at the limit. Stopping with that walk keeps a
// search of one track from reading the tracks laid out after it. A stretch
// keeps where the record after it begins: a walk that goes on past the stretch
// looks that position up, and reads a new stretch there when it is new.
//
// Where a walk ends inside a stretch is looked up by a key. Records are numbered
// in the order read, one after another within a stretch, so a walk that is at k
// on record `from` is at k + (j - from) on record j of the same stretch, and
// record j ends it when that equals j's sector count - 1. The key of record j is
// therefore j - count + 1, the record where a walk it ends would be at k = 0;
// a walk looks up its own from - k. For example record 10, stating 4 sectors,
// has the key 7: a walk that enters its stretch at record 8 at k = 1 (8 - 1 = 7)
// ends after record 10, one that enters there at k = 2 (key 6) goes on past it.
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
    // What a walk meets at a position: a record read before, the end of every
    // walk, or records past the limit.
    struct Continuation {
        enum Kind { record, walkEnd, beyondLimit } kind = walkEnd;
        int32_t index = 0;  // the record, for kind `record`
    };
    struct Stretch {
        int32_t first = 0;
        int32_t end = 0;
        int64_t nextPosition = 0;  // where the record after the stretch begins
    };
    struct IndexedRecord {
        SectorLocation location;
        int32_t stretch = 0;
    };
    // (key, record) pairs, sorted within each stretch, for the first record of a
    // stretch at or after a given one that has a given key.
    using KeyedRecords = std::vector<std::pair<uint32_t, int32_t>>;

    Continuation continuationAt(FileReader& file, int64_t position, int64_t k);
    bool isKnown(int64_t position, Continuation& continuation) const;
    Continuation readStretch(FileReader& file, int64_t position, int64_t k);
    int64_t readRecordsFrom(FileReader& file, int64_t position, int64_t k);
    void appendRecord(int64_t position, const RecordHeader& header);
    void sortStretch(int32_t first, int32_t end);
    const Stretch& stretchOf(int32_t index) const;
    int32_t firstKeyed(const KeyedRecords& keyed, const Stretch& stretch, uint32_t key,
                       int32_t from) const;
    int32_t firstWalkEnd(const Stretch& stretch, int32_t from, int64_t k) const;

    std::size_t recordLimit_;
    std::vector<IndexedRecord> records_;
    KeyedRecords byId_;         // key: the record's ID
    KeyedRecords byWalkStart_;  // key: j - count + 1 for record j, shifted to stay unsigned
    std::vector<Stretch> stretches_;
    std::unordered_map<int64_t, int32_t> known_;  // position -> record, or walkEnds
};

#endif
