#include "image/record_sweep.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <functional>
#include <limits>
#include <unordered_map>

namespace {
// A record ends a walk by its count only at k = count - 1, and the count is a
// 16-bit field: a walk past this k ends only where every walk does.
constexpr int64_t lastCountedK = 65534;
// Tracks a record's C and H can name: C * 2 + H with H 0 or 1.
constexpr int32_t namedTracks = 512;
constexpr int32_t sizeCodeCount = 256;

using KeySet = SweptKeySet;

// The walks of one track within a group, with the keys every one of them has
// found already: a record of such a key needs no look at the walks.
struct TrackWalks {
    std::vector<int32_t> walks;
    KeySet allFound;
};

// Walks that stand on the same record and go on together. Each walk's k is its
// offset plus the group's step, so the group steps once for all of them.
struct WalkGroup {
    int64_t step = 0;
    int32_t alive = 0;
    std::vector<int32_t> walks;  // ended ones too, passed over
    // offset -> the walk that joined last at it; the others follow by nextAtOffset
    std::unordered_map<int64_t, int32_t> byOffset;
    int64_t lowestOffset = std::numeric_limits<int64_t>::max();
    int64_t highestOffset = std::numeric_limits<int64_t>::min();
    std::unordered_map<int32_t, TrackWalks> tracks;  // by track index
    // (step, walk): when the walk's listing reaches the limit; a min-heap.
    std::vector<std::pair<int64_t, int32_t>> listingEnds;
    // The step at which each size code was last read; -1 before.
    std::array<int32_t, sizeCodeCount> lastSeen;
};

struct WalkState {
    int64_t offset = 0;  // k = offset + the group's step
    int32_t group = -1;
    int32_t joinedAt = 0;  // the group's step when the walk joined it
    int32_t nextAtOffset = -1;  // the walk that joined the group before it at its offset
    bool alive = true;
    bool listing = true;
};

class Sweep {
public:
    Sweep(FileReader& file, SweptWalks& out, int32_t listingLimit, PositionRing& ring)
        : file_(file),
          ring_(ring),
          out_(out),
          states_(out.walks.size()),
          listingLimit_(listingLimit) {}

    void run();

private:
    void startWalk(int32_t walk);
    void readRecord(int32_t group, int64_t position);
    void goOn(int32_t group, int64_t position);
    int32_t merge(int32_t a, int32_t b);
    void join(int32_t group, int32_t walk, int64_t k);
    void noteFound(WalkGroup& group, const RecordHeader& header, int64_t position);
    void endByCount(WalkGroup& group, int64_t lastK);
    void endAll(WalkGroup& group, bool listedThis);
    void endListingsDue(WalkGroup& group);
    void endWalk(WalkGroup& group, int32_t walk, int64_t listedRecords);
    void endListing(WalkGroup& group, int32_t walk, int64_t listedRecords);
    void foldSizeCodes(const WalkGroup& group, int32_t walk);
    const KeySet& foundKeys(int32_t walk) const;
    int32_t newGroup();
    void release(int32_t index);

    FileReader& file_;
    PositionRing& ring_;
    SweptWalks& out_;
    std::vector<WalkState> states_;
    std::vector<WalkGroup> groups_;
    std::vector<int32_t> freeGroups_;
    int32_t listingLimit_;
};

// Takes the lowest position where a walk stands or starts, again and again: a
// walk only moves forward, so a walk that comes to a record another one will
// reach finds that one standing there.
void Sweep::run() {
    std::size_t nextStart = 0;
    int64_t cursor = 0;
    for (;;) {
        const int64_t at = ring_.next(cursor);
        if (nextStart < out_.walks.size() && (at < 0 || out_.walks[nextStart].position <= at)) {
            cursor = out_.walks[nextStart].position;
            startWalk(static_cast<int32_t>(nextStart++));
            continue;
        }
        if (at < 0) {
            return;
        }
        cursor = at;
        const int32_t group = ring_.at(at);
        ring_.take(at);
        readRecord(group, at);
    }
}

void Sweep::startWalk(int32_t walk) {
    const int64_t position = out_.walks[static_cast<std::size_t>(walk)].position;
    int32_t group = ring_.at(position);
    if (group < 0) {
        group = newGroup();
        ring_.put(position, group);
    }
    join(group, walk, 0);
}

// The record at `position` as every walk of the group meets it, in the order a
// single walk tests it: the header cut short, a count of 0, the ID, the count.
void Sweep::readRecord(int32_t groupIndex, int64_t position) {
    WalkGroup& group = groups_[static_cast<std::size_t>(groupIndex)];
    endListingsDue(group);
    TrackCursor record(position);
    if (!record.read(file_)) {
        endAll(group, false);
        release(groupIndex);
        return;
    }
    const RecordHeader& header = record.header();
    group.lastSeen[header.n] = static_cast<int32_t>(group.step);
    const WalkEnd end = walkEndOf(header);
    if (end.everyWalk) {
        endAll(group, true);
        release(groupIndex);
        return;
    }
    noteFound(group, header, position);
    endByCount(group, end.lastK);
    if (group.alive == 0) {
        release(groupIndex);
        return;
    }
    ++group.step;
    record.next();
    goOn(groupIndex, record.position());
}

void Sweep::goOn(int32_t group, int64_t position) {
    const int32_t there = ring_.at(position);
    ring_.put(position, there < 0 ? group : merge(group, there));
}

// Two groups on one record go on as one: the smaller joins the larger, so that
// a walk changes groups at most log2(walks) times.
int32_t Sweep::merge(int32_t a, int32_t b) {
    const bool aLarger = groups_[static_cast<std::size_t>(a)].alive >=
                         groups_[static_cast<std::size_t>(b)].alive;
    const int32_t larger = aLarger ? a : b;
    const int32_t smaller = aLarger ? b : a;
    WalkGroup& from = groups_[static_cast<std::size_t>(smaller)];
    for (int32_t walk : from.walks) {
        const WalkState& state = states_[static_cast<std::size_t>(walk)];
        if (state.alive) {
            foldSizeCodes(from, walk);
            join(larger, walk, state.offset + from.step);
        }
    }
    release(smaller);
    return larger;
}

void Sweep::join(int32_t groupIndex, int32_t walk, int64_t k) {
    WalkGroup& group = groups_[static_cast<std::size_t>(groupIndex)];
    WalkState& state = states_[static_cast<std::size_t>(walk)];
    state.group = groupIndex;
    state.offset = k - group.step;
    state.joinedAt = static_cast<int32_t>(group.step);
    ++group.alive;
    group.walks.push_back(walk);
    if (state.listing && k >= listingLimit_) {
        endListing(group, walk, listingLimit_);
    } else if (state.listing) {
        group.listingEnds.emplace_back(listingLimit_ - state.offset, walk);
        std::push_heap(group.listingEnds.begin(), group.listingEnds.end(), std::greater<>());
    }
    if (k <= lastCountedK) {
        const auto [first, added] = group.byOffset.try_emplace(state.offset, walk);
        state.nextAtOffset = added ? -1 : first->second;
        first->second = walk;
        group.lowestOffset = std::min(group.lowestOffset, state.offset);
        group.highestOffset = std::max(group.highestOffset, state.offset);
    }
    const int32_t trackIndex = out_.walks[static_cast<std::size_t>(walk)].track;
    if (trackIndex >= 0 && trackIndex < namedTracks) {
        const auto [place, added] = group.tracks.try_emplace(trackIndex);
        TrackWalks& track = place->second;
        if (added) {
            track.allFound.set();
        }
        track.walks.push_back(walk);
        track.allFound &= foundKeys(walk);
    }
}

// Gives each walk of the record's track that has not found its ID yet this record.
void Sweep::noteFound(WalkGroup& group, const RecordHeader& header, int64_t position) {
    if (header.h > 1) {
        return;
    }
    const int32_t trackIndex = header.c * 2 + header.h;
    const int32_t key = sweptKey(trackIndex, header.c, header.h, header.r, header.n);
    const auto place = key < 0 ? group.tracks.end() : group.tracks.find(trackIndex);
    if (place == group.tracks.end() || place->second.allFound[static_cast<std::size_t>(key)]) {
        return;
    }
    TrackWalks* track = &place->second;
    auto ended = [this](int32_t walk) { return !states_[static_cast<std::size_t>(walk)].alive; };
    track->walks.erase(std::remove_if(track->walks.begin(), track->walks.end(), ended),
                       track->walks.end());
    for (int32_t walk : track->walks) {
        KeySet& keys = out_.keysFound[static_cast<std::size_t>(walk)];
        if (!keys[static_cast<std::size_t>(key)]) {
            keys.set(static_cast<std::size_t>(key));
            out_.found.push_back({walk, key, position});
        }
    }
    track->allFound.set(static_cast<std::size_t>(key));
}

// Ends the walks whose k here is lastK: offset + step = lastK.
void Sweep::endByCount(WalkGroup& group, int64_t lastK) {
    const int64_t offset = lastK - group.step;
    if (offset < group.lowestOffset || offset > group.highestOffset) {
        return;
    }
    auto ending = group.byOffset.find(offset);
    if (ending == group.byOffset.end()) {
        return;
    }
    for (int32_t walk = ending->second; walk >= 0;
         walk = states_[static_cast<std::size_t>(walk)].nextAtOffset) {
        endWalk(group, walk, lastK + 1);
    }
    group.byOffset.erase(ending);
}

void Sweep::endAll(WalkGroup& group, bool listedThis) {
    for (int32_t walk : group.walks) {
        const int64_t k = states_[static_cast<std::size_t>(walk)].offset + group.step;
        endWalk(group, walk, listedThis ? k + 1 : k);
    }
}

void Sweep::endListingsDue(WalkGroup& group) {
    auto& due = group.listingEnds;
    while (!due.empty() && due.front().first <= group.step) {
        const int32_t walk = due.front().second;
        std::pop_heap(due.begin(), due.end(), std::greater<>());
        due.pop_back();
        const WalkState& state = states_[static_cast<std::size_t>(walk)];
        if (state.alive && state.listing) {
            endListing(group, walk, listingLimit_);
        }
    }
}

void Sweep::endWalk(WalkGroup& group, int32_t walk, int64_t listedRecords) {
    WalkState& state = states_[static_cast<std::size_t>(walk)];
    if (!state.alive) {
        return;
    }
    if (state.listing) {
        endListing(group, walk, listedRecords);
    }
    state.alive = false;
    --group.alive;
}

void Sweep::endListing(WalkGroup& group, int32_t walk, int64_t listedRecords) {
    foldSizeCodes(group, walk);
    out_.listings[static_cast<std::size_t>(walk)].records = static_cast<int32_t>(listedRecords);
    states_[static_cast<std::size_t>(walk)].listing = false;
}

// Adds the size codes the group read since the walk joined it.
void Sweep::foldSizeCodes(const WalkGroup& group, int32_t walk) {
    const WalkState& state = states_[static_cast<std::size_t>(walk)];
    if (!state.listing) {
        return;
    }
    std::bitset<256>& codes = out_.listings[static_cast<std::size_t>(walk)].sizeCodes;
    for (int32_t n = 0; n < sizeCodeCount; ++n) {
        if (group.lastSeen[static_cast<std::size_t>(n)] >= state.joinedAt) {
            codes.set(static_cast<std::size_t>(n));
        }
    }
}

const KeySet& Sweep::foundKeys(int32_t walk) const {
    return out_.keysFound[static_cast<std::size_t>(walk)];
}

int32_t Sweep::newGroup() {
    int32_t index;
    if (freeGroups_.empty()) {
        index = static_cast<int32_t>(groups_.size());
        groups_.emplace_back();
    } else {
        index = freeGroups_.back();
        freeGroups_.pop_back();
    }
    groups_[static_cast<std::size_t>(index)].lastSeen.fill(-1);
    return index;
}

// The group's place is taken again by the next new group, its containers'
// memory with it: a typical file's walks follow one another, so a sweep needs only
// a few.
void Sweep::release(int32_t index) {
    WalkGroup& group = groups_[static_cast<std::size_t>(index)];
    group.step = 0;
    group.alive = 0;
    group.walks.clear();
    group.byOffset.clear();
    group.lowestOffset = std::numeric_limits<int64_t>::max();
    group.highestOffset = std::numeric_limits<int64_t>::min();
    group.tracks.clear();
    group.listingEnds.clear();
    freeGroups_.push_back(index);
}
}  // namespace

int32_t SweptWalks::indexOf(const WalkStart& walk) const {
    const auto found = std::lower_bound(walks.begin(), walks.end(), walk);
    return found != walks.end() && *found == walk ? static_cast<int32_t>(found - walks.begin())
                                                  : -1;
}

int64_t SweptWalks::foundAt(int32_t walk, int32_t key) const {
    if (!keysFound[static_cast<std::size_t>(walk)][static_cast<std::size_t>(key)]) {
        return -1;
    }
    const auto record = std::lower_bound(found.begin(), found.end(), Found{walk, key, 0});
    return record->position;
}

SweptWalks sweepWalks(FileReader& file, std::vector<WalkStart> walks, int32_t listingLimit,
                      PositionRing& ring) {
    std::sort(walks.begin(), walks.end());
    walks.erase(std::unique(walks.begin(), walks.end()), walks.end());
    SweptWalks out;
    out.walks = std::move(walks);
    out.keysFound.resize(out.walks.size());
    out.listings.resize(out.walks.size());
    ring.reset();
    Sweep(file, out, listingLimit, ring).run();
    std::sort(out.found.begin(), out.found.end());
    return out;
}
