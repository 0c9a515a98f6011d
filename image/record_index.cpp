#include "image/record_index.h"

#include <utility>

namespace {
uint8_t idByte(uint32_t id, int byte) {
    return static_cast<uint8_t>(id >> (8 * byte));
}
}  // namespace

RecordIndex::RecordIndex(const Limits& limits)
    : limits_(limits), budget_(limits.readingSteps, limits.readingBytes) {}

// Gives back all memory but the sweep's calendar, so that a closed image holds
// only that.
void RecordIndex::clear() {
    WalkCalendar calendar = std::move(calendar_);
    *this = RecordIndex(limits_);
    calendar_ = std::move(calendar);
}

bool RecordIndex::find(FileReader& file, const WalkStart& walk, uint32_t id,
                       SectorLocation& location) {
    if (!swept_) {
        const SearchResult result = recent_.find(file, walk.position, id, location, budget_);
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
        ReadingBudget unlimited = ReadingBudget::unlimited();
        return searchByReading(file, walk.position, 0, id, location, unlimited) ==
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
        if (listByReading(file, walk.position, listing, budget_)) {
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
    listByReading(file, walk.position, listing, unlimited);
    return listing;
}

// Lists as readTrackIds does: a record stating 0 sectors is listed and ends the
// list; a header cut short is not listed. False when the budget ran out first.
bool RecordIndex::listByReading(FileReader& file, int64_t trackStart,
                                        TrackListing& listing, ReadingBudget& budget) const {
    int64_t position = trackStart;
    for (int64_t k = 0; k < limits_.listingLimit; ++k) {
        if (!budget.spend(file)) {
            return false;
        }
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
    sweep_ = sweepWalks(file, walks_, limits_.listingLimit, limits_.chunkBytes, calendar_);
    swept_ = true;
}
