#ifndef QUELT_TOOL_RUN_MAIN_DISK_H
#define QUELT_TOOL_RUN_MAIN_DISK_H

#include <cstddef>
#include <cstdint>

// Where the eighteen music pieces lie inside the scenario disk's "bgmscore",
// as the main disk's "startup" holds it.
constexpr std::size_t musicPieces = 18;
constexpr std::size_t musicTableSize = 160;
extern uint8_t musicTable[musicTableSize];

// One piece: `size` bytes of "bgmscore" from byte segment * clusterSize + offset.
struct MusicEntry {
    uint16_t segment;
    uint16_t offset;
    uint16_t size;
};

MusicEntry musicEntry(std::size_t piece);

// First pass, for a disk without the demo signature: when its directory lists
// "startup" and no main disk was found yet, it is the main disk: cut "fmdriver",
// load "startup" and keep its music table.
void extractIfMainDisk(int32_t diskIndex, bool& found);

#endif
