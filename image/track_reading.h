#ifndef QUELT_IMAGE_TRACK_READING_H
#define QUELT_IMAGE_TRACK_READING_H

#include <cstdint>
#include <limits>

#include "image/file_reader.h"
#include "image/track_cursor.h"
#include "image/track_listing.h"

// Searches and listings that read a track's records from the file one by one,
// as a typical image is read, within a budget that makes the record index sweep
// the file instead once it is spent.

// What reading may still cost: records, and bytes the file has supplied since it
// was opened (a record far from the one before costs a refill of a window).
class ReadingBudget {
public:
    ReadingBudget(int64_t records, int64_t bytes) : records_(records), bytes_(bytes) {}
    static ReadingBudget unlimited() {
        return {std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::max()};
    }
    // Takes one record's step; false, taking none, when the budget is spent.
    bool spend(const FileReader& file) {
        if (records_ <= 0 || file.work().bytesSupplied > bytes_) {
            return false;
        }
        --records_;
        return true;
    }

private:
    int64_t records_;
    int64_t bytes_;
};

enum class SearchResult { found, absent, outOfSteps };

// The first record with `id` from the cursor on, before the walk ends; a search
// that spends the budget stops with outOfSteps.
SearchResult searchByReading(FileReader& file, TrackCursor cursor, uint32_t id,
                             SectorLocation& location, ReadingBudget& budget);

// Lists the walk's records as far as `limit`; false when the budget ran out first.
bool listByReading(FileReader& file, int64_t trackStart, int32_t limit, TrackListing& listing,
                   ReadingBudget& budget);

#endif
