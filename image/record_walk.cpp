#include "image/record_walk.h"

// Ends on every file: each step moves on by a whole header at least.
SearchResult searchByReading(FileReader& file, int64_t position, int64_t k, uint32_t id,
                             SectorLocation& location, ReadingBudget& budget) {
    for (;; ++k) {
        if (!budget.spend(file)) {
            return SearchResult::outOfSteps;
        }
        RecordHeader header;
        const RecordStep step = stepRecord(file, position, k, header);
        if (step == RecordStep::cutShort || step == RecordStep::countZero) {
            return SearchResult::absent;
        }
        if (sectorId(header) == id) {
            location = dataOf(position, header);
            return SearchResult::found;
        }
        if (step == RecordStep::endsAfter) {
            return SearchResult::absent;
        }
        position = nextRecord(position, header);
    }
}
