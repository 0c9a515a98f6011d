#ifndef QUELT_IMAGE_RECENT_TRACK_H
#define QUELT_IMAGE_RECENT_TRACK_H

#include <cstdint>
#include <vector>

#include "image/file_reader.h"
#include "image/record_walk.h"

// The first records of the track searched last, read once: a run of sectors asks
// one track for one sector after another, and each search would otherwise walk
// the track again from its start. A search past the records held reads on from
// the file.
class RecentTrack {
public:
    static constexpr int32_t heldRecords = 64;

    // As searchByReading from the track's start, at a step of `budget` for each
    // record read from the file.
    SearchResult find(FileReader& file, int64_t trackStart, uint32_t id,
                      SectorLocation& location, ReadingBudget& budget);

private:
    struct HeldRecord {
        uint32_t id;
        SectorLocation location;
    };

    bool read(FileReader& file, int64_t trackStart, ReadingBudget& budget);

    bool held_ = false;
    int64_t trackStart_ = 0;
    std::vector<HeldRecord> records_;
    // Where the walk goes on past the records held; -1 when it ends among them.
    int64_t nextPosition_ = -1;
};

#endif
