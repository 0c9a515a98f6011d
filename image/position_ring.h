#ifndef QUELT_IMAGE_POSITION_RING_H
#define QUELT_IMAGE_POSITION_RING_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Where the sweep's groups of walks stand, by file position, and which stands
// lowest: the sweep reads the record there next. A walk moves on by at most one
// header and 65,535 bytes of data, so every position held lies within that
// distance after the lowest one: a ring of slots, one position each, longer than
// that distance holds them all without two sharing a slot, and two groups that
// come to the same position find each other there. Its memory is kept from
// sweep to sweep: mapped and touched afresh, it would cost a process that
// sweeps image after image more than a small image's sweep.
// Defined here, inline: the sweep takes these steps for every record it reads.
class PositionRing {
public:
    // Empty; called before each sweep.
    void reset() {
        held_ = 0;
        if (!slots_) {
            slots_.reset(new int32_t[span]);
        }
        occupied_.assign(span / wordBits, 0);
    }

    bool empty() const { return held_ == 0; }
    // The group at `position`, or -1.
    int32_t at(int64_t position) const {
        if (empty() || position < lowest_ || position > highest_) {
            return -1;
        }
        const std::size_t slot = slotOf(position);
        return isHeld(slot) ? slots_[slot] : -1;
    }

    // `position` lies at or after the last `from` given to next().
    void put(int64_t position, int32_t group) {
        if (empty()) {
            lowest_ = position;
            highest_ = position;
        }
        lowest_ = position < lowest_ ? position : lowest_;
        highest_ = position > highest_ ? position : highest_;
        const std::size_t slot = slotOf(position);
        held_ += isHeld(slot) ? 0 : 1;
        slots_[slot] = group;
        occupied_[slot / wordBits] |= bitOf(slot);
    }

    void take(int64_t position) {
        const std::size_t slot = slotOf(position);
        held_ -= isHeld(slot) ? 1 : 0;
        occupied_[slot / wordBits] &= ~bitOf(slot);
    }

    // The lowest position held, given that none lies below `from`; -1 when empty.
    // Scans the ring from there on, a word of slots at a time.
    int64_t next(int64_t from) {
        if (empty()) {
            return -1;
        }
        const int64_t base = from > lowest_ ? from : lowest_;
        const std::size_t first = slotOf(base);
        std::size_t word = first / wordBits;
        uint64_t bits = occupied_[word] & (~uint64_t{0} << (first % wordBits));
        while (bits == 0) {
            word = (word + 1) % occupied_.size();
            bits = occupied_[word];
        }
        const auto slot = static_cast<int64_t>(word * wordBits) + lowestBit(bits);
        lowest_ = base + ((slot - static_cast<int64_t>(first)) & static_cast<int64_t>(span - 1));
        return lowest_;
    }

private:
    // A power of two above the farthest step of a walk.
    static constexpr std::size_t span = std::size_t{1} << 17;
    static constexpr std::size_t wordBits = 64;

    static std::size_t slotOf(int64_t position) {
        return static_cast<std::size_t>(position) & (span - 1);
    }
    static uint64_t bitOf(std::size_t slot) { return uint64_t{1} << (slot % wordBits); }
    bool isHeld(std::size_t slot) const { return (occupied_[slot / wordBits] & bitOf(slot)) != 0; }

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

    // A slot is read only while its bit in occupied_ says it is held.
    std::unique_ptr<int32_t[]> slots_;
    std::vector<uint64_t> occupied_;
    int64_t held_ = 0;
    // Bounds of the positions held: none below lowest_, none above highest_
    // (highest_ may be one taken since).
    int64_t lowest_ = 0;
    int64_t highest_ = 0;
};

#endif
