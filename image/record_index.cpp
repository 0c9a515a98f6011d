#include "image/record_index.h"

#include <limits>

namespace {
// For what the sweep left to reading: no budget.
constexpr int64_t unlimitedSteps = std::numeric_limits<int64_t>::max();

uint8_t idByte(uint32_t id, int byte) {
    return static_cast<uint8_t>(id >> (8 * byte));
}
}  // namespace

RecordIndex::RecordIndex(const Limits& limits) : limits_(limits) {
    clear();
}

void RecordIndex::clear() {
    stepsLeft_ = limits_.readingSteps;
    walks_.clear();
    recent_.forget();
    swept_ = false;
    sweep_ = {};
}

bool RecordIndex::find(FileReader& file, const WalkStart& walk, uint32_t id,
                       SectorLocation& location) {
    if (!swept_) {
        const SearchResult result = recent_.find(file, walk.position, id, location, stepsLeft_);
        if (result != SearchResult::outOfSteps) {
            return result == SearchResult::found;
        }
        sweep(file);
    }
    return findSwept(file, walk, id, location);
}

bool RecordIndex::findSwept(FileReader& file, const WalkStart& walk, uint32_t id,
                            SectorLocation& location) {
    const int32_t key =
        sweptKey(walk.track, idByte(id, 0), idByte(id, 1), idByte(id, 2), idByte(id, 3));
    const int32_t index = key < 0 ? -1 : sweep_.indexOf(walk);
    if (index < 0) {
        int64_t steps = unlimitedSteps;
        return searchByReading(file, walk.position, 0, id, location, steps) ==
               SearchResult::found;
    }
    const int64_t position = sweep_.foundAt(index, key);
    RecordHeader header;
    if (position < 0 || !readRecordHeader(file, position, header)) {
        return false;
    }
    location = dataOf(position, header);
    return true;
}

TrackListing RecordIndex::listing(FileReader& file, const WalkStart& walk) {
    TrackListing listing;
    if (!swept_) {
        if (listByReading(file, walk.position, listing, stepsLeft_)) {
            return listing;
        }
        sweep(file);
    }
    const int32_t index = sweep_.indexOf(walk);
    if (index >= 0) {
        return sweep_.listings[static_cast<std::size_t>(index)];
    }
    listing = {};
    int64_t steps = unlimitedSteps;
    listByReading(file, walk.position, listing, steps);
    return listing;
}

// Lists as readTrackIds does: a record stating 0 sectors is listed and ends the
// list; a header cut short is not listed. False when the steps ran out first.
bool RecordIndex::listByReading(FileReader& file, int64_t trackStart,
                                        TrackListing& listing, int64_t& steps) const {
    int64_t position = trackStart;
    for (int64_t k = 0; k < limits_.listingLimit; ++k) {
        if (steps <= 0) {
            return false;
        }
        --steps;
        RecordHeader header;
        const RecordStep step = stepRecord(file, position, k, header);
        if (step == RecordStep::cutShort) {
            break;
        }
        ++listing.records;
        listing.sizeCodes.set(header.n);
        if (step != RecordStep::goesOn) {
            break;
        }
        position = nextRecord(position, header);
    }
    return true;
}

void RecordIndex::sweep(FileReader& file) {
    sweep_ = sweepWalks(file, walks_, limits_.listingLimit, limits_.chunkBytes);
    swept_ = true;
}
