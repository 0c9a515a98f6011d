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

    std::size_t recordLimit_;
    std::vector<SectorLocation> locations_;
    KeyedRecords byId_;         // key: the record's ID
    KeyedRecords byWalkStart_;  // key: where a walk that this record ends began (see .cpp)
    std::vector<Stretch> stretches_;
    std::vector<std::size_t> stretchOfRecord_;
    std::unordered_map<int64_t, int32_t> known_;  // position -> record, or walkEnds
};

#endif
