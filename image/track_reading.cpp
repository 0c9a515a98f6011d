#include "image/track_reading.h"

// Ends on every file: each step moves on by a whole header at least.
SearchResult searchByReading(FileReader& file, TrackCursor cursor, uint32_t id,
                             SectorLocation& location, ReadingBudget& budget) {
    for (;; cursor.next()) {
        if (!budget.spend(file)) {
            return SearchResult::outOfSteps;
        }
        if (!cursor.read(file) || !cursor.searchable()) {
            return SearchResult::absent;
        }
        if (sectorId(cursor.header()) == id) {
            location = cursor.data();
            return SearchResult::found;
        }
        if (cursor.last()) {
            return SearchResult::absent;
        }
    }
}

bool listByReading(FileReader& file, int64_t trackStart, int32_t limit, TrackListing& listing,
                   ReadingBudget& budget) {
    for (TrackCursor cursor(trackStart); listing.records < limit; cursor.next()) {
        if (!budget.spend(file)) {
            return false;
        }
        if (!cursor.read(file)) {
            break;
        }
        ++listing.records;
        listing.sizeCodes.set(cursor.header().n);
        if (cursor.last()) {
            break;
        }
    }
    return true;
}

SearchResult LastSearchedTrack::find(FileReader& file, int64_t trackStart, uint32_t id,
                                     SectorLocation& location, ReadingBudget& budget) {
    if ((!held_ || trackStart_ != trackStart) && !hold(file, trackStart, budget)) {
        return SearchResult::outOfSteps;
    }
    for (const HeldRecord& record : records_) {
        if (record.id == id) {
            location = record.location;
            return SearchResult::found;
        }
    }
    if (nextPosition_ < 0) {
        return SearchResult::absent;
    }
    return searchByReading(file, TrackCursor(nextPosition_, heldRecords), id, location, budget);
}

// Holds the walk's searchable records up to its end or heldRecords of them;
// false, holding nothing, when the budget is spent first.
bool LastSearchedTrack::hold(FileReader& file, int64_t trackStart, ReadingBudget& budget) {
    held_ = false;
    records_.clear();
    nextPosition_ = -1;
    TrackCursor cursor(trackStart);
    int32_t k = 0;
    for (; k < heldRecords; ++k, cursor.next()) {
        if (!budget.spend(file)) {
            return false;
        }
        if (!cursor.read(file) || !cursor.searchable()) {
            break;
        }
        records_.push_back({sectorId(cursor.header()), cursor.data()});
        if (cursor.last()) {
            break;
        }
    }
    if (k == heldRecords) {
        nextPosition_ = cursor.position();
    }
    held_ = true;
    trackStart_ = trackStart;
    return true;
}
