// A plain, slow model of how a sector is found on a track, written straight from
// the record layout with no index and no cache. The differential test and the
// image fuzzer compare D88Image's answers with it byte for byte.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>

#include "samples/d88_builder.h"

namespace queltests {
using namespace d88build;

// The four ID fields a search matches, and the size code that also names the
// sector's length (128 << n).
struct SectorId {
    uint8_t c = 0;
    uint8_t h = 0;
    uint8_t r = 0;
    uint8_t n = 0;
};

// Searches the records that begin at `trackStart` in `file`, record k = 0, 1, ...:
// a header cut short by the end of the file ends the search with nothing; so does
// a record whose sector count is 0, even when its ID matches; a matching record
// gives min(its data length, maxLen) bytes, of which the file supplies what it
// holds; any other record is skipped, and the search ends after it when k equals
// its own sector count - 1. Returns the bytes found (empty when none).
//
// `stepBudget`, when given, is the number of records the search may still
// examine; it is reduced by what this search examined, and a search that runs
// out of it returns nullopt (no answer), so a caller can bound its own work.
std::optional<Bytes> referenceReadSector(const Bytes& file, uint64_t trackStart, const SectorId& id,
                                         int32_t maxLen, uint64_t* stepBudget = nullptr);

// What readTrackIds lists from `trackStart` with room for `limit` records: how
// many records (a header cut short is not listed, a record stating 0 sectors is
// listed and ends the list, as does the record whose k is its count - 1) and
// which size codes N they carry.
struct ReferenceListing {
    int32_t records = 0;
    std::bitset<256> sizeCodes;
};
ReferenceListing referenceListTrack(const Bytes& file, uint64_t trackStart, int32_t limit);

// Where track `track` of the disk at `diskOffset` begins, from that disk's own
// header in `file`: nullopt when the track cannot be read (index outside 0..163,
// an entry of 0, negative or above the disk's size field, or no whole header).
std::optional<uint64_t> referenceTrackStart(const Bytes& file, uint64_t diskOffset, int track);

// A sector address as the reader takes it: track index and ID fields.
struct RunStart {
    int track = 0;
    int c = 0;
    int h = 0;
    int r = 0;
    int n = 0;
};

// Reads `length` bytes of consecutive sectors from `start` on the disk at
// `diskOffset`, with the sector range firstSector..lastSector: sector after
// sector, on to the next track index after lastSector (head flipped, cylinder
// up when the head goes back to 0), stopping at the first sector that does not
// supply its whole part. Returns the bytes of the sectors read whole; nullopt
// when the budget ran out.
std::optional<Bytes> referenceReadSectors(const Bytes& file, uint64_t diskOffset, int firstSector,
                                          int lastSector, RunStart start, int32_t length,
                                          uint64_t* stepBudget = nullptr);

}  // namespace queltests
