#include "image/record_index.h"

#include <utility>

RecordIndex::RecordIndex(const Limits& limits)
    : limits_(limits), budget_(limits.readingSteps, limits.readingBytes) {}

// Gives back all memory but the sweep's ring, so that a closed image holds only that.
void RecordIndex::clear() {
    PositionRing ring = std::move(ring_);
    *this = RecordIndex(limits_);
    ring_ = std::move(ring);
}

bool RecordIndex::find(FileReader& file, const WalkStart& walk, uint32_t id,
                       SectorLocation& location) {
    if (!swept_) {
        const SearchResult result =
            searchByReading(file, TrackCursor(walk.position), id, location, budget_);
        if (result != SearchResult::outOfSteps) {
            return result == SearchResult::found;
        }
        sweep(file);
    }
    return findSwept(file, walk, id, location);
}

bool RecordIndex::findSwept(FileReader& file, const WalkStart& walk, uint32_t id,
                            SectorLocation& location) {
    const int32_t key = sweptKey(walk.track, idField(id, 0), idField(id, 1), idField(id, 2),
                                 idField(id, 3));
    const int32_t index = key < 0 ? -1 : sweep_.indexOf(walk);
    if (index < 0) {
        ReadingBudget unlimited = ReadingBudget::unlimited();
        return searchByReading(file, TrackCursor(walk.position), id, location, unlimited) ==
               SearchResult::found;
    }
    TrackCursor found(sweep_.foundAt(index, key));
    if (found.position() < 0 || !found.read(file)) {
        return false;
    }
    location = found.data();
    return true;
}

TrackListing RecordIndex::listing(FileReader& file, const WalkStart& walk) {
    TrackListing listing;
    if (!swept_) {
        if (listByReading(file, walk.position, limits_.listingLimit, listing, budget_)) {
            return listing;
        }
        sweep(file);
    }
    const int32_t index = sweep_.indexOf(walk);
    if (index >= 0) {
        return sweep_.listings[static_cast<std::size_t>(index)];
    }
    listing = {};
    ReadingBudget unlimited = ReadingBudget::unlimited();
    listByReading(file, walk.position, limits_.listingLimit, listing, unlimited);
    return listing;
}

void RecordIndex::sweep(FileReader& file) {
    sweep_ = sweepWalks(file, walks_, limits_.listingLimit, ring_);
    swept_ = true;
}
