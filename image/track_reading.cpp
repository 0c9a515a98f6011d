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
