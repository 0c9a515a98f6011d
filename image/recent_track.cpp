#include "image/recent_track.h"

SearchResult RecentTrack::find(FileReader& file, int64_t trackStart, uint32_t id,
                               SectorLocation& location, ReadingBudget& budget) {
    if ((!held_ || trackStart_ != trackStart) && !read(file, trackStart, budget)) {
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
    return searchByReading(file, nextPosition_, heldRecords, id, location, budget);
}

// Holds the walk's records up to its end or heldRecords of them; false, holding
// nothing, when the budget is spent first.
bool RecentTrack::read(FileReader& file, int64_t trackStart, ReadingBudget& budget) {
    held_ = false;
    records_.clear();
    nextPosition_ = -1;
    int64_t position = trackStart;
    for (int64_t k = 0; k < heldRecords; ++k) {
        if (!budget.spend(file)) {
            return false;
        }
        RecordHeader header;
        const RecordStep step = stepRecord(file, position, k, header);
        if (step == RecordStep::cutShort || step == RecordStep::countZero) {
            break;
        }
        records_.push_back({sectorId(header), dataOf(position, header)});
        position = nextRecord(position, header);
        if (step == RecordStep::endsAfter) {
            break;
        }
        if (k + 1 == heldRecords) {
            nextPosition_ = position;
        }
    }
    held_ = true;
    trackStart_ = trackStart;
    return true;
}
