#ifndef QUELT_IMAGE_WALK_CALENDAR_H
#define QUELT_IMAGE_WALK_CALENDAR_H

#include <cstdint>
#include <vector>

// Where each group of walks of the sweep stands, by file position. A walk moves
// on by at most one header and 65,535 bytes of data, so every position held lies
// within that distance after the lowest one: a ring of slots one position each,
// twice that long, holds them all without two sharing a slot, and two groups that
// come to the same position find each other there.
class WalkCalendar {
public:
    WalkCalendar();

    bool empty() const { return held_ == 0; }
    // The group at `position`, or -1.
    int32_t at(int64_t position) const { return slots_[slotOf(position)]; }
    void put(int64_t position, int32_t group);
    void take(int64_t position);
    // The lowest position held, given that none lies below `from`; -1 when empty.
    int64_t next(int64_t from) const;

private:
    static constexpr int64_t span = int64_t{1} << 17;
    static std::size_t slotOf(int64_t position) {
        return static_cast<std::size_t>(position & (span - 1));
    }

    std::vector<int32_t> slots_;
    std::vector<uint64_t> occupied_;  // a bit a slot
    int64_t held_ = 0;
};

#endif
