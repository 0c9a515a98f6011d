#include "image/record_walk.h"

// Ends on every file: each step moves on by a whole header at least.
SearchResult searchByReading(FileReader& file, int64_t position, int64_t k, uint32_t id,
                             SectorLocation& location, int64_t& steps) {
    for (;; ++k) {
        if (steps <= 0) {
            return SearchResult::outOfSteps;
        }
        --steps;
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
