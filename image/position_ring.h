#ifndef QUELT_IMAGE_POSITION_RING_H
#define QUELT_IMAGE_POSITION_RING_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// Where each shared walk of the sweep stands, by file position, and which stands
// lowest: a ring of slots, a position each, that the sweep takes its next record
// from. A walk moves
// on by at most one header and 65,535 bytes of data, so every position held lies
// within that distance after the lowest one: a ring of slots one position each,
// longer than that distance, holds them all without two sharing a slot, and two
// shared walks that come to the same position find each other there. The ring starts
// short and doubles when the positions held spread wider than it (records of
// 256 bytes need a few KiB of it, not the 512 KiB the longest records do). Its
// memory is kept for the next sweep: mapped and touched afresh, the rings cost
// a process that sweeps image after image more than a small image's sweep.
// Defined here, inline: the sweep takes these steps for every record it reads.
class PositionRing {
public:
    // Empty at the first span, with the memory grown before: called before each sweep.
    void reset() {
        held_ = 0;
        resize(firstSpan);
    }

    bool empty() const { return held_ == 0; }
    // The shared walk at `position`, or -1.
    int32_t at(int64_t position) const {
        if (empty() || position < lowest_ || position > highest_) {
            return -1;
        }
        const std::size_t slot = slotOf(position);
        return isHeld(slot) ? slotAt(slot) : -1;
    }

    // `position` lies at or after the last `from` given to next().
    void put(int64_t position, int32_t walk) {
        if (empty()) {
            lowest_ = position;
            highest_ = position;
        }
        const int64_t low = position < lowest_ ? position : lowest_;
        highest_ = position > highest_ ? position : highest_;
        while (span_ < longestSpan && highest_ - low >= static_cast<int64_t>(span_)) {
            grow();
        }
        lowest_ = low;
        const std::size_t slot = slotOf(position);
        held_ += isHeld(slot) ? 0 : 1;
        slotAt(slot) = walk;
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
        lowest_ = base + ((slot - static_cast<int64_t>(first)) & static_cast<int64_t>(span_ - 1));
        return lowest_;
    }

private:
    static constexpr std::size_t firstSpan = std::size_t{1} << 12;
    static constexpr std::size_t longestSpan = std::size_t{1} << 17;
    static constexpr std::size_t wordBits = 64;

    std::size_t slotOf(int64_t position) const {
        return static_cast<std::size_t>(position) & (span_ - 1);
    }
    static uint64_t bitOf(std::size_t slot) { return uint64_t{1} << (slot % wordBits); }
    bool isHeld(std::size_t slot) const { return (occupied_[slot / wordBits] & bitOf(slot)) != 0; }

    // The slots are left unset: a slot is read only while its bit says it is held.
    int32_t& slotAt(std::size_t slot) { return slots_[slot]; }
    int32_t slotAt(std::size_t slot) const { return slots_[slot]; }

    // Keeps the slots it has: a calendar reset for the next sweep grows again
    // within them.
    void resize(std::size_t span) {
        span_ = span;
        if (capacity_ < span) {
            slots_.reset(new int32_t[span]);
            capacity_ = span;
        }
        occupied_.assign(span / wordBits, 0);
    }

    // Doubles the ring and puts back what it held, all within span_ of lowest_.
    // The ring before becomes the spare that the next growth fills.
    void grow() {
        std::swap(slots_, spare_);
        std::swap(capacity_, spareCapacity_);
        std::swap(occupied_, spareOccupied_);
        const std::size_t before = span_;
        resize(before * 2);
        const std::size_t first = static_cast<std::size_t>(lowest_) & (before - 1);
        for (std::size_t word = 0; word < spareOccupied_.size(); ++word) {
            for (uint64_t bits = spareOccupied_[word]; bits != 0; bits &= bits - 1) {
                const std::size_t slot = word * wordBits + static_cast<std::size_t>(lowestBit(bits));
                const int64_t position =
                    lowest_ + static_cast<int64_t>((slot - first) & (before - 1));
                const std::size_t moved = slotOf(position);
                slotAt(moved) = spare_[slot];
                occupied_[moved / wordBits] |= bitOf(moved);
            }
        }
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

    std::size_t span_ = 0;
    std::unique_ptr<int32_t[]> slots_;
    std::size_t capacity_ = 0;
    std::vector<uint64_t> occupied_;  // a bit a slot
    std::unique_ptr<int32_t[]> spare_;
    std::size_t spareCapacity_ = 0;
    std::vector<uint64_t> spareOccupied_;
    int64_t held_ = 0;
    // Bounds of the positions held: none below lowest_, none above highest_, and
    // highest_ - lowest_ below span_ (highest_ may be one taken since).
    int64_t lowest_ = 0;
    int64_t highest_ = 0;
};

#endif
