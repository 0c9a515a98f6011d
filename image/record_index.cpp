#include "image/record_index.h"

#include <algorithm>

namespace {
// The sector count is a 16-bit field: only a record at k <= 65,534 can end a walk
// by its count.
constexpr int64_t largestSectorCount = 65535;
// In the table of known positions: a position where every walk ends.
constexpr int32_t walkEnds = -1;

// The walk-start key (see the header), shifted by the largest count so that it
// is never negative.
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

// Goes from stretch to stretch, each further on in the file, so the walk ends.
bool RecordIndex::find(FileReader& file, int64_t trackStart, uint32_t id,
                       SectorLocation& location) {
    int64_t position = trackStart;
    int64_t k = 0;
    for (;;) {
        const Continuation at = continuationAt(file, position, k);
        if (at.kind != Continuation::record) {
            return at.kind == Continuation::beyondLimit &&
                   searchByReading(file, position, k, id, location);
        }
        const Stretch& stretch = stretchOf(at.index);
        const int32_t match = firstKeyed(byId_, stretch, id, at.index);
        const int32_t end = firstWalkEnd(stretch, at.index, k);
        if (match < stretch.end && match <= end) {
            location = records_[static_cast<std::size_t>(match)].location;
            return true;
        }
        if (end < stretch.end) {
            return false;
        }
        k += stretch.end - at.index;
        position = stretch.nextPosition;
    }
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
                                             : Continuation{Continuation::record, known->second};
    return true;
}

// Reads the records of the walk that is at `k` on `position` into a new stretch;
// returns what the walk meets at `position`.
RecordIndex::Continuation RecordIndex::readStretch(FileReader& file, int64_t position, int64_t k) {
    const int32_t first = sizeAsIndex(records_.size());
    const int64_t next = readRecordsFrom(file, position, k);
    const int32_t end = sizeAsIndex(records_.size());
    if (end == first) {
        // No record there: reading found the end of every walk, or the index is full.
        Continuation ends;
        return isKnown(position, ends) ? ends : Continuation{Continuation::beyondLimit, 0};
    }
    sortStretch(first, end);
    stretches_.push_back({first, end, next});
    return {Continuation::record, first};
}

// Appends records until one read before, the end of every walk, the record that
// ends this walk or the limit; returns where the record after them begins.
int64_t RecordIndex::readRecordsFrom(FileReader& file, int64_t position, int64_t k) {
    for (int64_t p = position;; ++k) {
        if ((p != position && known_.count(p) != 0) || records_.size() >= recordLimit_) {
            return p;
        }
        RecordHeader header;
        const RecordStep step = stepRecord(file, p, k, header);
        if (step == RecordStep::cutShort || step == RecordStep::countZero) {
            known_.emplace(p, walkEnds);
            return p;
        }
        appendRecord(p, header);
        p = nextRecord(p, header);
        if (step == RecordStep::endsAfter) {
            return p;
        }
    }
}

void RecordIndex::appendRecord(int64_t position, const RecordHeader& header) {
    const int32_t index = sizeAsIndex(records_.size());
    // The stretch being read is the next one to be stored.
    records_.push_back({dataOf(position, header), sizeAsIndex(stretches_.size())});
    byId_.emplace_back(sectorId(header), index);
    byWalkStart_.emplace_back(walkStartKey(int64_t{index} - header.sectorCount + 1), index);
    known_.emplace(position, index);
}

void RecordIndex::sortStretch(int32_t first, int32_t end) {
    for (KeyedRecords* keyed : {&byId_, &byWalkStart_}) {
        std::sort(keyed->begin() + first, keyed->begin() + end);
    }
}

const RecordIndex::Stretch& RecordIndex::stretchOf(int32_t index) const {
    return stretches_[static_cast<std::size_t>(records_[static_cast<std::size_t>(index)].stretch)];
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
