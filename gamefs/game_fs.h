#ifndef QUELT_GAMEFS_GAME_FS_H
#define QUELT_GAMEFS_GAME_FS_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/d88_image.h"

// The software set's own file system: a 48-entry directory and a one-sector
// allocation table on track index 40, files stored in chains of 2048-byte
// clusters. The caller sets the sector range to firstSectorNumber..lastSectorNumber
// before any call here.

constexpr std::size_t directoryEntries = 48;
constexpr std::size_t directoryEntrySize = 16;
constexpr std::size_t allocationEntries = 256;
constexpr int32_t clusterSize = 2048;
// Allocation-table values from this one up mark a file's last cluster.
constexpr uint8_t lastClusterMark = 0xC0;

// Both tables lie on track index 40 (C 20, H 0): the directory over R 13 to 15,
// the allocation table in R 16.
constexpr SectorAddress directoryStart = {40, 20, 0, 13, sectorSizeCode};
constexpr SectorAddress allocationStart = {40, 20, 0, 16, sectorSizeCode};

// One directory entry as it lies on the disk.
struct DirectoryEntry {
    uint8_t name[8];       // NUL-terminated when shorter than 8
    uint8_t afterName;     // zeroed by findEntryToLoad before its comparison
    uint8_t unused9;
    uint8_t size[2];       // file size in bytes, little-endian
    uint8_t unused12[2];
    uint8_t firstCluster;
    uint8_t unused15;
};
static_assert(sizeof(DirectoryEntry) == directoryEntrySize, "directory entries are 16 bytes");
constexpr std::size_t entryNameBytes = sizeof DirectoryEntry::name;

// The name of an entry as its bytes: up to the first 0, at most entryNameBytes.
std::string entryName(const DirectoryEntry& entry);

// The selected disk's directory and allocation table, one of each per thread
// (quelt-ls -j lists a file on each thread).
extern thread_local DirectoryEntry directoryTable[directoryEntries];
extern thread_local uint8_t allocationTable[allocationEntries];

// Clears both tables, as at the start of a run.
void clearGameFsTables();

// Reads the selected disk's directory and allocation table. Unless both are read
// whole, both tables are cleared: a disk without a readable directory lists no
// files, rather than answering with another disk's. Returns whether both were
// read whole.
bool loadDirectory(D88Image& image);

// Whether an entry holds a file: its name's first byte is not 0.
bool entryInUse(const DirectoryEntry& entry);
// How many entries of directoryTable are in use.
int32_t usedEntryCount();

// Whether the directory is what another system's formatter leaves rather than
// this file system's: it has used entries, and each is one byte repeated over
// all 16 (no file the recognition could find looks like that: its name would
// have no 0 after it).
bool directoryHoldsOnlyFill();

// Whether an entry holds exactly `name` (the entry read as a NUL-terminated string).
bool findFile(const char* name);

// The entry loadFile loads for `name`, or -1: the first whose name equals
// `name` once its byte 8 is set to 0, which this does to every entry it passes
// (so an 8-character name is found whatever followed it).
int32_t findEntryToLoad(const char* name);

// Where cluster `cluster` lies: track index cluster / 2, sectors 1-8 when the
// cluster is even and 9-16 when it is odd.
SectorAddress clusterAddress(int32_t cluster);

// The sector a load that starts at `cluster` reaches `sectorsAfter` sectors
// later: the rest of the cluster's track, then the following tracks.
SectorAddress sectorOfLoad(int32_t cluster, int32_t sectorsAfter);

// A file's clusters as allocationTable links them from its first cluster.
struct ClusterChain {
    uint8_t linked[allocationEntries] = {};  // clusters that name a next one, in chain order
    int32_t linkedCount = 0;
    // The cluster marked as the file's last; when the chain loops, the cluster it
    // came back to.
    int32_t end = 0;
    bool loops = false;
};

// Follows the chain from `firstCluster`. A chain that comes back to a cluster it
// has already passed stops there, so it never holds more than allocationEntries
// clusters and a load along it never passes the end of workBuffer.
ClusterChain walkChain(uint8_t firstCluster);

// How many clusters the chain holds: the linked ones and, unless it loops, its end.
int32_t chainLength(const ClusterChain& chain);

struct LoadResult {
    int32_t size = 0;       // the entry's size field; 0 when no entry has the name
    bool complete = true;   // false when some of the file's bytes could not be read
    int32_t entry = -1;     // the entry loaded; -1 when no entry has the name
    // The first cluster whose read came up short (-1: none; a chain that loops
    // is incomplete without one), and the sector that read stopped at.
    int32_t shortCluster = -1;
    SectorAddress unreadSector = {};
};

// Loads the file of directory entry `index` (below directoryEntries) into
// `buffer`, workBufferSize bytes (workBuffer, or a lister thread's own), from
// its first byte by its cluster chain.
LoadResult loadEntry(D88Image& image, std::size_t index, uint8_t* buffer);

// Loads the file of the entry findEntryToLoad gives for `name` into workBuffer
// as loadEntry does. Leaves workBuffer alone when no entry has that name.
LoadResult loadFile(D88Image& image, const char* name);

#endif
