#ifndef QUELT_IMAGE_RECORD_INDEX_H
#define QUELT_IMAGE_RECORD_INDEX_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/file_reader.h"
#include "image/recent_track.h"
#include "image/record_sweep.h"
#include "image/record_walk.h"

// Answers the sector searches and track listings of one open file exactly as a
// fresh walk of the file would, at a cost that grows with the file, not with how
// its tracks overlap.
//
// A typical image is read as it is walked: each search reads its track's records
// (the track searched last is held). Searches and listings may read a budget of
// records so. A file that costs more (tracks of thousands of records, many tracks
// starting on one run of records) is then swept once: every walk that can be
// asked, all at once, front to back, each record read once however many walks
// pass it, and what the searches ask is kept for each walk. After that, searches
// are answered from what the sweep kept, and only an ID it keeps no answer for
// is searched for by reading.
class RecordIndex {
public:
    struct Limits {
        // Records read by searches and listings, and bytes the file supplies them,
        // before the file is swept.
        int64_t readingSteps = int64_t{1} << 20;
        int64_t readingBytes = int64_t{32} << 20;
        // How far a listing counts the records of a track.
        int32_t listingLimit = longestListing;
        // How much of the file the sweep holds at a time.
        std::size_t chunkBytes = std::size_t{1} << 20;
    };

    RecordIndex() : RecordIndex(Limits{}) {}
    explicit RecordIndex(const Limits& limits);
    // Forgets the file and its walks.
    void clear();
    // Forgets them too, and reads the next file within these limits.
    void setLimits(const Limits& limits) {
        limits_ = limits;
        clear();
    }
    // Every walk that can be asked of this file: the start of each usable track of
    // each disk. Searches of other walks are answered, by reading.
    void setWalks(std::vector<WalkStart> walks) { walks_ = std::move(walks); }

    // The first record with `id` on the walk, before the walk ends.
    bool find(FileReader& file, const WalkStart& walk, uint32_t id, SectorLocation& location);
    // The walk's records as far as the listing limit.
    TrackListing listing(FileReader& file, const WalkStart& walk);
    // Whether the file has been swept.
    bool swept() const { return swept_; }

private:
    bool findSwept(FileReader& file, const WalkStart& walk, uint32_t id, SectorLocation& location);
    bool listByReading(FileReader& file, int64_t trackStart, TrackListing& listing,
                       ReadingBudget& budget) const;
    void sweep(FileReader& file);

    Limits limits_;
    ReadingBudget budget_;
    std::vector<WalkStart> walks_;
    RecentTrack recent_;
    bool swept_ = false;
    SweptWalks sweep_;
    WalkCalendar calendar_;  // kept from file to file
};

#endif
