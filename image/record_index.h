#ifndef QUELT_IMAGE_RECORD_INDEX_H
#define QUELT_IMAGE_RECORD_INDEX_H

#include <cstdint>
#include <vector>

#include "image/file_reader.h"
#include "image/position_ring.h"
#include "image/record_format.h"
#include "image/record_sweep.h"
#include "image/track_cursor.h"
#include "image/track_listing.h"
#include "image/track_reading.h"

// Answers the sector searches and track listings of one open file exactly as a
// fresh walk of the file would, at a cost that grows with the file, not with how
// its tracks overlap.
//
// It reads in two ways. A typical image is read as it is walked: each search
// reads its track's records (track_reading.h), within a budget of records and
// of bytes the file supplies. A file that spends it (tracks of thousands of
// records, many tracks starting on one run of records) is then swept once
// (record_sweep.h): every walk that can be asked, all at once, front to back,
// each record read once however many walks pass it. After that, searches are
// answered from what the sweep kept, and only an ID it keeps no answer for is
// searched for by reading, without a budget.
//
// Why not sweep every image at its first search: the sweep reads every track of
// every disk, where a run reads the few it needs. Measured in instructions
// (callgrind, whole process, reading first / sweeping at once), on the sample
// set: quelt 2.79 M / 4.89 M, quelt-ls 2.28 M / 4.18 M, quelt-cp 1.91 M / 4.01 M;
// on 64 disks: quelt 3.82 M / 53.9 M, quelt-ls 10.5 M / 56.7 M, quelt-cp
// 2.21 M / 52.3 M. All six: 23.5 M / 176 M, 7.5 times as many.
class RecordIndex {
public:
    struct Limits {
        // Records read by searches and listings, and bytes the file supplies them,
        // before the file is swept.
        int64_t readingSteps = int64_t{1} << 20;
        int64_t readingBytes = int64_t{32} << 20;
        // How far a listing counts the records of a track.
        int32_t listingLimit = longestListing;
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

private:
    bool findSwept(FileReader& file, const WalkStart& walk, uint32_t id, SectorLocation& location);
    void sweep(FileReader& file);

    Limits limits_;
    ReadingBudget budget_;
    std::vector<WalkStart> walks_;
    bool swept_ = false;
    SweptWalks sweep_;
    PositionRing ring_;  // kept from file to file
};

#endif
