#ifndef QUELT_GAMEFS_GAME_FS_H
#define QUELT_GAMEFS_GAME_FS_H

#include <cstddef>
#include <cstdint>

#include "image/d88_image.h"

// The software set's own file system: a 48-entry directory and a one-sector
// allocation table on track index 40, files stored in chains of 2048-byte
// clusters. The caller sets the sector range to 1..16 before any call here.

constexpr std::size_t directoryEntries = 48;
constexpr std::size_t directoryEntrySize = 16;
constexpr std::size_t allocationEntries = 256;
constexpr int32_t clusterSize = 2048;
// Allocation-table values from this one up mark a file's last cluster.
constexpr uint8_t lastClusterMark = 0xC0;

// One directory entry as it lies on the disk.
struct DirectoryEntry {
    uint8_t name[8];       // NUL-terminated when shorter than 8
    uint8_t afterName;     // zeroed by loadFile before its comparison
    uint8_t unused9;
    uint8_t size[2];       // file size in bytes, little-endian
    uint8_t unused12[2];
    uint8_t firstCluster;
    uint8_t unused15;
};
static_assert(sizeof(DirectoryEntry) == directoryEntrySize, "directory entries are 16 bytes");

extern DirectoryEntry directoryTable[directoryEntries];
extern uint8_t allocationTable[allocationEntries];

// Clears both tables, as at the start of a run.
void clearGameFsTables();

// Reads the selected disk's directory and allocation table. Unless both are read
// whole, both tables are cleared: a disk without a readable directory lists no
// files, rather than answering with another disk's.
void loadDirectory(D88Image& image);

// Whether an entry holds exactly `name` (the entry read as a NUL-terminated string).
bool findFile(const char* name);

struct LoadResult {
    int32_t size = 0;       // the entry's size field; 0 when no entry has the name
    bool complete = true;   // false when some of the file's bytes could not be read
};

// Loads the file named `name` into workBuffer from its first byte by its cluster
// chain and prints its loading line. Prints nothing and leaves workBuffer alone
// when no entry has that name.
LoadResult loadFile(D88Image& image, const char* name);

#endif
