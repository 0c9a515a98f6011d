#ifndef QUELT_IMAGE_RECORD_SWEEP_H
#define QUELT_IMAGE_RECORD_SWEEP_H

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/sector_address.h"
#include "image/file_reader.h"
#include "image/record_format.h"
#include "image/track_cursor.h"
#include "image/track_listing.h"
#include "image/position_ring.h"

// The sweep keeps, for each walk, the first record of every ID that a run of
// sectors on the walk's own track asks for: C and H of the track (track index =
// C * 2 + H), R in the sector range 1..16 and a size code N a sector can have.
// Other IDs are left to a search by reading.
constexpr int32_t sweptSizeCodes = largestSizeCode + 1;
constexpr int32_t sweptKeys = (lastSectorNumber - firstSectorNumber + 1) * sweptSizeCodes;

// Where `id` is kept among a walk's answers on `track`; -1 when it is not kept.
inline int32_t sweptKey(int32_t track, uint8_t c, uint8_t h, uint8_t r, uint8_t n) {
    if (c != track / 2 || h != track % 2 || r < firstSectorNumber || r > lastSectorNumber ||
        n >= sweptSizeCodes) {
        return -1;
    }
    return (r - firstSectorNumber) * sweptSizeCodes + n;
}

// The keys of one walk, a bit each.
using SweptKeySet = std::bitset<sweptKeys>;

// What one pass over the file found on every walk of a set. Memory grows with
// what was found, not with every key of every walk.
struct SweptWalks {
    struct Found {
        int32_t walk;
        int32_t key;
        int64_t position;
        bool operator<(const Found& other) const {
            return walk != other.walk ? walk < other.walk : key < other.key;
        }
    };

    std::vector<WalkStart> walks;         // sorted, each once
    std::vector<SweptKeySet> keysFound;   // per walk
    std::vector<Found> found;             // a record per key found, sorted once swept
    std::vector<TrackListing> listings;

    // The walk's place in `walks`, or -1.
    int32_t indexOf(const WalkStart& walk) const;
    // The position of the walk's first record of the key, or -1.
    int64_t foundAt(int32_t walk, int32_t key) const;
};

// Walks all of `walks` at once, front to back through the file, reading each
// record that any of them reaches once: walks that come to the same record go
// on as one group from there, though each keeps its own count of records, on
// which the rule that ends a walk depends. Listings stop at `listingLimit`
// records. Keeps where the walks stand in `ring`, emptied first. Time grows with
// the records read; memory with the number of walks, not with the records.
SweptWalks sweepWalks(FileReader& file, std::vector<WalkStart> walks, int32_t listingLimit,
                      PositionRing& ring);

#endif
