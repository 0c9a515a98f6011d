#include "gamefs/game_fs.h"

#include <algorithm>
#include <cstring>

#include "common/little_endian.h"
#include "common/work_buffer.h"

thread_local DirectoryEntry directoryTable[directoryEntries];
thread_local uint8_t allocationTable[allocationEntries];

namespace {
constexpr int32_t directoryBytes = static_cast<int32_t>(sizeof directoryTable);
constexpr int32_t allocationBytes = static_cast<int32_t>(sizeof allocationTable);
constexpr int32_t sectorsPerCluster = clusterSize / sectorLength(sectorSizeCode);

uint8_t* directoryBytesAt(std::size_t entry) {
    return reinterpret_cast<uint8_t*>(directoryTable) + entry * directoryEntrySize;
}

// Compares an entry, read from its first byte as a NUL-terminated string, with
// `name`. The comparison is not bounded by the 8-byte name field, but it never
// runs past the end of the directory.
bool entryNameEquals(std::size_t entry, const char* name) {
    const uint8_t* bytes = directoryBytesAt(entry);
    const uint8_t* end = directoryBytesAt(directoryEntries);
    for (std::size_t i = 0;; ++i) {
        if (bytes + i == end || bytes[i] != static_cast<uint8_t>(name[i])) {
            return false;
        }
        if (name[i] == '\0') {
            return true;
        }
    }
}

constexpr int32_t sectorsPerTrack = lastSectorNumber - firstSectorNumber + 1;

// Reads `wanted` bytes from the start of `cluster` on into `buffer` at `at`.
// The first read of the load that comes up short names the sector it stopped at.
void readFromCluster(D88Image& image, int32_t cluster, uint8_t* buffer, int32_t at,
                     int32_t wanted, LoadResult& result) {
    const int32_t got = image.readSectors(clusterAddress(cluster), buffer + at, wanted);
    if (got == wanted) {
        return;
    }
    if (result.complete) {
        result.shortCluster = cluster;
        result.unreadSector = sectorOfLoad(cluster, got / sectorLength(sectorSizeCode));
    }
    result.complete = false;
}

// Reads the full clusters of the chain, then the rest of the size from the
// cluster that ends it. A chain that loops has no such cluster: its load stops
// after the clusters it passed and is incomplete.
void loadChain(D88Image& image, const ClusterChain& chain, uint8_t* buffer, LoadResult& result) {
    int32_t loaded = 0;
    for (int32_t i = 0; i < chain.linkedCount; ++i) {
        readFromCluster(image, chain.linked[i], buffer, loaded, clusterSize, result);
        loaded += clusterSize;
    }
    if (chain.loops) {
        result.complete = false;
        return;
    }
    const int32_t remaining = result.size - loaded;
    if (remaining <= 0) {
        return;
    }
    const int32_t wanted = std::min(remaining, workBufferBytes - loaded);
    readFromCluster(image, chain.end, buffer, loaded, wanted, result);
    if (wanted < remaining) {
        result.complete = false;
    }
}
}  // namespace

void clearGameFsTables() {
    std::memset(directoryTable, 0, sizeof directoryTable);
    std::memset(allocationTable, 0, sizeof allocationTable);
}

bool loadDirectory(D88Image& image) {
    uint8_t* directory = directoryBytesAt(0);
    bool whole = image.readSectors(directoryStart, directory, directoryBytes) == directoryBytes;
    whole = image.readSectors(allocationStart, allocationTable, allocationBytes) ==
                allocationBytes &&
            whole;
    if (!whole) {
        clearGameFsTables();
    }
    return whole;
}

// A cluster is half a track: the even one of a track its first eight sectors,
// the odd one its last eight.
SectorAddress clusterAddress(int32_t cluster) {
    int32_t r = (cluster & 1) ? firstSectorNumber + sectorsPerCluster : firstSectorNumber;
    return {cluster >> 1, cluster >> 2, (cluster >> 1) & 1, r, sectorSizeCode};
}

// A load's sector run steps through a track's sectors and on to the next track,
// so the disk's sectors follow each other in cluster order, 16 to a track.
SectorAddress sectorOfLoad(int32_t cluster, int32_t sectorsAfter) {
    const int32_t index = cluster * sectorsPerCluster + sectorsAfter;
    const int32_t track = index / sectorsPerTrack;
    return {track, track >> 1, track & 1, firstSectorNumber + index % sectorsPerTrack,
            sectorSizeCode};
}

ClusterChain walkChain(uint8_t firstCluster) {
    ClusterChain chain;
    bool visited[allocationEntries] = {};
    uint8_t cluster = firstCluster;
    while (allocationTable[cluster] < lastClusterMark) {
        if (visited[cluster]) {
            chain.loops = true;
            break;
        }
        visited[cluster] = true;
        chain.linked[chain.linkedCount++] = cluster;
        cluster = allocationTable[cluster];
    }
    chain.end = cluster;
    return chain;
}

int32_t chainLength(const ClusterChain& chain) {
    return chain.linkedCount + (chain.loops ? 0 : 1);
}

std::string entryName(const DirectoryEntry& entry) {
    const auto* bytes = reinterpret_cast<const char*>(entry.name);
    return std::string(bytes, std::find(bytes, bytes + entryNameBytes, '\0'));
}

bool entryInUse(const DirectoryEntry& entry) {
    return entry.name[0] != 0;
}

int32_t usedEntryCount() {
    int32_t used = 0;
    for (const DirectoryEntry& entry : directoryTable) {
        used += entryInUse(entry) ? 1 : 0;
    }
    return used;
}

namespace {
bool isFill(const DirectoryEntry& entry) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&entry);
    for (std::size_t i = 1; i < sizeof entry; ++i) {
        if (bytes[i] != bytes[0]) {
            return false;
        }
    }
    return true;
}
}  // namespace

bool directoryHoldsOnlyFill() {
    bool anyUsed = false;
    for (const DirectoryEntry& entry : directoryTable) {
        if (entryInUse(entry) && !isFill(entry)) {
            return false;
        }
        anyUsed |= entryInUse(entry);
    }
    return anyUsed;
}

int32_t findEntryToLoad(const char* name) {
    for (std::size_t i = 0; i < directoryEntries; ++i) {
        directoryTable[i].afterName = 0;
        if (entryNameEquals(i, name)) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

bool findFile(const char* name) {
    for (std::size_t i = 0; i < directoryEntries; ++i) {
        if (entryNameEquals(i, name)) {
            return true;
        }
    }
    return false;
}

LoadResult loadEntry(D88Image& image, std::size_t index, uint8_t* buffer) {
    const DirectoryEntry& entry = directoryTable[index];
    LoadResult result;
    result.entry = static_cast<int32_t>(index);
    result.size = readLe16(entry.size);
    loadChain(image, walkChain(entry.firstCluster), buffer, result);
    return result;
}

LoadResult loadFile(D88Image& image, const char* name) {
    int32_t index = findEntryToLoad(name);
    if (index < 0) {
        return LoadResult{};
    }
    return loadEntry(image, static_cast<std::size_t>(index), workBuffer);
}
