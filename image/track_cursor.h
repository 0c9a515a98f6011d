#ifndef QUELT_IMAGE_TRACK_CURSOR_H
#define QUELT_IMAGE_TRACK_CURSOR_H

#include <cstdint>

#include "image/file_reader.h"
#include "image/record_format.h"

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

// Which walks a record ends. A walk numbers the records it meets k = 0, 1, ...
// from the track's start and trusts the sector count of the record it stands on:
// the record it meets as its (count - 1)-th is the track's last, matched and
// listed, and the walk ends after it. A count of 0 names no last record, so the
// record itself ends every walk that meets it, whatever its k: a search stops
// there before comparing its ID, a listing counts it as the track's last record.
struct WalkEnd {
    bool everyWalk = false;  // the count is 0
    int64_t lastK = 0;       // otherwise: the k of the walk that ends after it
};

inline WalkEnd walkEndOf(const RecordHeader& header) {
    if (header.sectorCount == 0) {
        return {true, 0};
    }
    return {false, header.sectorCount - 1};
}

// A walk over a track's records: where it stands, its k there and, once read,
// the record's header. Every walk that reads the file record by record is one.
// Defined here, inline: the searches take a step for every record they read.
class TrackCursor {
public:
    explicit TrackCursor(int64_t position, int64_t k = 0) : position_(position), k_(k) {}

    // Reads the record the cursor stands on; false when the file ends inside its
    // header, which ends the walk before it.
    bool read(FileReader& file) {
        uint8_t bytes[recordHeaderSize];
        if (file.readAt(position_, bytes, sizeof bytes) != sizeof bytes) {
            return false;
        }
        header_ = parseRecordHeader(bytes);
        return true;
    }
    const RecordHeader& header() const { return header_; }
    // Whether a search may match the record read (see walkEndOf).
    bool searchable() const { return !walkEndOf(header_).everyWalk; }
    // Whether the walk ends after the record read, for a search and a listing alike.
    bool last() const {
        const WalkEnd end = walkEndOf(header_);
        return end.everyWalk || end.lastK == k_;
    }
    SectorLocation data() const { return {position_ + recordHeaderSize, header_.dataLength}; }
    int64_t position() const { return position_; }
    // On to the record after the one read.
    void next() {
        position_ += recordHeaderSize + header_.dataLength;
        ++k_;
    }

private:
    int64_t position_;
    int64_t k_;
    RecordHeader header_;
};

#endif
