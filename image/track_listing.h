#ifndef QUELT_IMAGE_TRACK_LISTING_H
#define QUELT_IMAGE_TRACK_LISTING_H

#include <bitset>
#include <cstdint>

#include "common/work_buffer.h"

// A listing of a track counts at most as many records as the work buffer holds
// 4-byte IDs of.
constexpr int32_t longestListing = workBufferBytes / 4;

// What listing a track's records finds: how many are listed, as far as a limit,
// and the size codes N among them.
struct TrackListing {
    int32_t records = 0;
    std::bitset<256> sizeCodes;
};

#endif
