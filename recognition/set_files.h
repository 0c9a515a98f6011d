#ifndef QUELT_RECOGNITION_SET_FILES_H
#define QUELT_RECOGNITION_SET_FILES_H

#include <cstddef>
#include <cstdint>

#include "common/sector_address.h"

// Where the software set's files lie on the disks quelt recognises, and the
// names quelt writes them under: quelt cuts them, and quelt-ls tells whether
// each would come out whole.

// A file that lies in a fixed sector run of its disk.
struct FixedCut {
    const char* name;
    SectorAddress start;
    int32_t size;
};

// The demo disk's files; quelt cuts them in this order.
constexpr FixedCut demoCuts[] = {
    {"opdrv", {2, 1, 0, 9, sectorSizeCode}, 3584},
    {"opmus", {0, 0, 0, 9, sectorSizeCode}, 2048},
    {"opefc", {35, 17, 1, 1, sectorSizeCode}, 256},
    {"edmus", {36, 18, 0, 8, sectorSizeCode}, 2048},
};

// The main disk's driver, cut before "startup" is loaded.
constexpr FixedCut driverCut = {"fmdriver", {2, 1, 0, 5, sectorSizeCode}, 3840};

// The scenario disk's file written whole, before "bgmscore" is loaded.
constexpr char sudDataFileName[] = "sud_data";

// Where the eighteen music pieces lie inside the scenario disk's "bgmscore",
// as the main disk's "startup" holds it from this byte on.
constexpr std::size_t musicPieces = 18;
constexpr std::size_t musicTableSize = 160;
constexpr std::size_t musicTableOffset = 0x1C2A;
// Piece j is written under this name, filled with j.
constexpr char musicPieceNameFormat[] = "mus%02d";

// One piece: `size` bytes of "bgmscore" from byte segment * clusterSize + offset.
struct MusicEntry {
    uint16_t segment;
    uint16_t offset;
    uint16_t size;
};

// Record `piece` (below musicPieces) of the musicTableSize bytes at `table`.
MusicEntry musicEntryIn(const uint8_t* table, std::size_t piece);

// Where the piece begins in "bgmscore": a segment is one cluster of it.
int32_t pieceOffset(const MusicEntry& entry);

#endif
