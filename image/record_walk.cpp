#include "image/record_walk.h"

// Ends on every file: each step moves on by a whole header at least.
bool searchByReading(FileReader& file, int64_t position, int64_t k, uint32_t id,
                     SectorLocation& location) {
    for (;; ++k) {
        RecordHeader header;
        const RecordStep step = stepRecord(file, position, k, header);
        if (step == RecordStep::cutShort || step == RecordStep::countZero) {
            return false;
        }
        if (sectorId(header) == id) {
            location = dataOf(position, header);
            return true;
        }
        if (step == RecordStep::endsAfter) {
            return false;
        }
        position = nextRecord(position, header);
    }
}
