#include "image/walk_calendar.h"

namespace {
constexpr int wordBits = 64;

// The lowest set bit of a word that has one.
int lowestBit(uint64_t word) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctzll(word);
#else
    int bit = 0;
    while ((word & 1) == 0) {
        word >>= 1;
        ++bit;
    }
    return bit;
#endif
}
}  // namespace

WalkCalendar::WalkCalendar()
    : slots_(static_cast<std::size_t>(span), -1),
      occupied_(static_cast<std::size_t>(span / wordBits), 0) {}

void WalkCalendar::put(int64_t position, int32_t group) {
    const std::size_t slot = slotOf(position);
    if (slots_[slot] < 0) {
        ++held_;
    }
    slots_[slot] = group;
    occupied_[slot / wordBits] |= uint64_t{1} << (slot % wordBits);
}

void WalkCalendar::take(int64_t position) {
    const std::size_t slot = slotOf(position);
    if (slots_[slot] >= 0) {
        --held_;
    }
    slots_[slot] = -1;
    occupied_[slot / wordBits] &= ~(uint64_t{1} << (slot % wordBits));
}

// Scans the ring from `from`'s slot on, a word of slots at a time.
int64_t WalkCalendar::next(int64_t from) const {
    if (empty()) {
        return -1;
    }
    const std::size_t words = occupied_.size();
    const std::size_t first = slotOf(from);
    std::size_t word = first / wordBits;
    uint64_t bits = occupied_[word] & (~uint64_t{0} << (first % wordBits));
    while (bits == 0) {
        word = (word + 1) % words;
        bits = occupied_[word];
    }
    const int64_t slot = static_cast<int64_t>(word * wordBits) + lowestBit(bits);
    return from + ((slot - static_cast<int64_t>(first)) & (span - 1));
}
