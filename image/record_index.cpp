#include "image/record_index.h"

#include <algorithm>

namespace {
// The sector count is a 16-bit field: only a record at k <= 65,534 can end a walk
// by its count.
constexpr int64_t largestSectorCount = 65535;
// In the table of known positions: a position where every walk ends.
constexpr int32_t walkEnds = -1;

// A record at index j with sector count c ends a walk that passes it at
// k = c - 1, that is a walk whose k = 0 lies at index j - c + 1 (counted as if the
// walk's records were all numbered one after another). Shifted so that it is
// never negative.
uint32_t walkStartKey(int64_t walkStart) {
    return static_cast<uint32_t>(walkStart + largestSectorCount);
}

int32_t sizeAsIndex(std::size_t size) {
    return static_cast<int32_t>(size);
}
}  // namespace

void RecordIndex::clear() {
    *this = RecordIndex(recordLimit_);
}

bool RecordIndex::find(FileReader& file, int64_t trackStart, uint32_t id,
                       SectorLocation& location) {
    int64_t k = 0;
    Continuation at = continuationAt(file, trackStart, k);
    while (at.kind == Continuation::record) {
        const Stretch& stretch = stretches_[stretchNumber(at.index)];
        const int32_t match = firstKeyed(byId_, stretch, id, at.index);
        const int32_t end = firstWalkEnd(stretch, at.index, k);
        if (match < stretch.end && match <= end) {
            location = locations_[static_cast<std::size_t>(match)];
            return true;
        }
        if (end < stretch.end) {
            return false;
        }
        k += stretch.end - at.index;
        at = nextAfter(file, at.index, k);
    }
    return at.kind == Continuation::beyondLimit &&
           searchByReading(file, at.position, k, id, location);
}

// Where the walk goes on after the stretch holding record `index`, reading on
// (for all later walks too) when no walk has gone past that stretch's end yet.
RecordIndex::Continuation RecordIndex::nextAfter(FileReader& file, int32_t index, int64_t k) {
    const std::size_t stretch = stretchNumber(index);
    Continuation next = stretches_[stretch].next;
    if (next.kind == Continuation::unread) {
        next = continuationAt(file, next.position, k);
        stretches_[stretch].next = next;
    }
    return next;
}

RecordIndex::Continuation RecordIndex::continuationAt(FileReader& file, int64_t position,
                                                      int64_t k) {
    Continuation known;
    return isKnown(position, known) ? known : readStretch(file, position, k);
}

bool RecordIndex::isKnown(int64_t position, Continuation& continuation) const {
    auto known = known_.find(position);
    if (known == known_.end()) {
        return false;
    }
    continuation = known->second == walkEnds ? Continuation{}
                                             : Continuation{Continuation::record, known->second, 0};
    return true;
}

// Reads the records of a walk from `position`, where it is at `k`, into a new
// stretch; returns where the walk goes on from `position`.
RecordIndex::Continuation RecordIndex::readStretch(FileReader& file, int64_t position, int64_t k) {
    const int32_t first = sizeAsIndex(locations_.size());
    const Continuation next = readRecordsFrom(file, position, k);
    const int32_t end = sizeAsIndex(locations_.size());
    if (end == first) {
        return next;
    }
    sortStretch(first, end);
    stretches_.push_back({first, end, next});
    return {Continuation::record, first, 0};
}

// Appends records until the walk meets a record read before, ends, reaches the
// limit, or passes the record that ends this walk (others may go on past it);
// returns where a walk goes on after the appended records.
RecordIndex::Continuation RecordIndex::readRecordsFrom(FileReader& file, int64_t position,
                                                       int64_t k) {
    Continuation next;
    for (int64_t p = position;; ++k) {
        if (p != position && isKnown(p, next)) {
            return next;
        }
        if (locations_.size() >= recordLimit_) {
            return {Continuation::beyondLimit, 0, p};
        }
        RecordHeader header;
        const RecordStep step = stepRecord(file, p, k, header);
        if (step == RecordStep::cutShort || step == RecordStep::countZero) {
            known_.emplace(p, walkEnds);
            return {};
        }
        appendRecord(p, header);
        p = nextRecord(p, header);
        if (step == RecordStep::endsAfter) {
            return {Continuation::unread, 0, p};
        }
    }
}

void RecordIndex::appendRecord(int64_t position, const RecordHeader& header) {
    const int32_t index = sizeAsIndex(locations_.size());
    locations_.push_back(dataOf(position, header));
    byId_.emplace_back(sectorId(header), index);
    byWalkStart_.emplace_back(walkStartKey(int64_t{index} - header.sectorCount + 1), index);
    stretchOfRecord_.push_back(stretches_.size());  // the stretch being read
    known_.emplace(position, index);
}

void RecordIndex::sortStretch(int32_t first, int32_t end) {
    for (KeyedRecords* keyed : {&byId_, &byWalkStart_}) {
        std::sort(keyed->begin() + first, keyed->begin() + end);
    }
}

std::size_t RecordIndex::stretchNumber(int32_t index) const {
    return stretchOfRecord_[static_cast<std::size_t>(index)];
}

int32_t RecordIndex::firstKeyed(const KeyedRecords& keyed, const Stretch& stretch, uint32_t key,
                                int32_t from) const {
    const auto begin = keyed.begin() + stretch.first;
    const auto end = keyed.begin() + stretch.end;
    const auto found = std::lower_bound(begin, end, std::make_pair(key, from));
    return found != end && found->first == key ? found->second : stretch.end;
}

// The first record of the stretch from `from` on that ends a walk which is at `k`
// on `from`; the stretch's end when none does.
int32_t RecordIndex::firstWalkEnd(const Stretch& stretch, int32_t from, int64_t k) const {
    if (k >= largestSectorCount) {
        return stretch.end;
    }
    return firstKeyed(byWalkStart_, stretch, walkStartKey(from - k), from);
}
