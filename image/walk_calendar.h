#ifndef QUELT_IMAGE_WALK_CALENDAR_H
#define QUELT_IMAGE_WALK_CALENDAR_H

#include <cstddef>
#include <cstdint>
#include <vector>

// Where each group of walks of the sweep stands, by file position. A walk moves
// on by at most one header and 65,535 bytes of data, so every position held lies
// within that distance after the lowest one: a ring of slots one position each,
// twice that long, holds them all without two sharing a slot, and two groups that
// come to the same position find each other there. Defined here, inline: the
// sweep takes these steps for every record it reads.
class WalkCalendar {
public:
    WalkCalendar() : slots_(span, -1), occupied_(span / wordBits, 0) {}

    bool empty() const { return held_ == 0; }
    // The group at `position`, or -1.
    int32_t at(int64_t position) const { return slots_[slotOf(position)]; }

    void put(int64_t position, int32_t group) {
        const std::size_t slot = slotOf(position);
        held_ += slots_[slot] < 0 ? 1 : 0;
        slots_[slot] = group;
        occupied_[slot / wordBits] |= uint64_t{1} << (slot % wordBits);
    }

    void take(int64_t position) {
        const std::size_t slot = slotOf(position);
        held_ -= slots_[slot] >= 0 ? 1 : 0;
        slots_[slot] = -1;
        occupied_[slot / wordBits] &= ~(uint64_t{1} << (slot % wordBits));
    }

    // The lowest position held, given that none lies below `from`; -1 when empty.
    // Scans the ring from `from`'s slot on, a word of slots at a time.
    int64_t next(int64_t from) const {
        if (empty()) {
            return -1;
        }
        const std::size_t first = slotOf(from);
        std::size_t word = first / wordBits;
        uint64_t bits = occupied_[word] & (~uint64_t{0} << (first % wordBits));
        while (bits == 0) {
            word = (word + 1) % occupied_.size();
            bits = occupied_[word];
        }
        const auto slot = static_cast<int64_t>(word * wordBits) + lowestBit(bits);
        return from + ((slot - static_cast<int64_t>(first)) & (span - 1));
    }

private:
    static constexpr std::size_t span = std::size_t{1} << 17;
    static constexpr std::size_t wordBits = 64;

    static std::size_t slotOf(int64_t position) {
        return static_cast<std::size_t>(position) & (span - 1);
    }

    // The lowest set bit of a word that has one.
    static int lowestBit(uint64_t word) {
#if defined(__GNUC__) || defined(__clang__)
        return __builtin_ctzll(word);
#else
        int bit = 0;
        for (; (word & 1) == 0; word >>= 1) {
            ++bit;
        }
        return bit;
#endif
    }

    std::vector<int32_t> slots_;
    std::vector<uint64_t> occupied_;  // a bit a slot
    int64_t held_ = 0;
};

#endif
