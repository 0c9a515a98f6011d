#include "lister/directory_report.h"

#include <cstdio>
#include <string>

#include "common/little_endian.h"
#include "gamefs/game_fs.h"
#include "common/quoted_text.h"

namespace {
constexpr std::size_t nameBytes = sizeof DirectoryEntry::name;
constexpr char entryFormat[] = "  entry %2d: %-10s  size %5d  first cluster %3d  chain %3d";

// A name of all 8 bytes ends only where byte 8 holds a 0; otherwise quelt's
// lookup by name reads on into byte 8 and never matches it.
bool nameRunsOn(const DirectoryEntry& entry) {
    for (uint8_t byte : entry.name) {
        if (byte == 0) {
            return false;
        }
    }
    return entry.afterName != 0;
}

int32_t clustersNeeded(int32_t size) {
    return (size + clusterSize - 1) / clusterSize;
}

// The first cluster of the chain that lies on a track the disk does not have;
// -1 when there is none.
int32_t firstClusterOnAbsentTrack(const D88Image& image, const ClusterChain& chain) {
    for (int32_t i = 0; i < chain.linkedCount; ++i) {
        if (!image.trackUsable(clusterAddress(chain.linked[i]).track)) {
            return chain.linked[i];
        }
    }
    bool endHeld = !chain.loops;
    return endHeld && !image.trackUsable(clusterAddress(chain.end).track) ? chain.end : -1;
}

void printChainFlags(const D88Image& image, const ClusterChain& chain, int32_t size) {
    if (chain.loops) {
        std::printf("  [loops back to cluster %d]", chain.end);
    }
    int32_t absent = firstClusterOnAbsentTrack(image, chain);
    if (absent >= 0) {
        std::printf("  [cluster %d on absent track %d]", absent, clusterAddress(absent).track);
    }
    if (chainLength(chain) < clustersNeeded(size)) {
        std::printf("  [short: size needs %d clusters]", clustersNeeded(size));
    }
}

void printEntry(const D88Image& image, int32_t slot, const DirectoryEntry& entry) {
    int32_t size = readLe16(entry.size);
    ClusterChain chain = walkChain(entry.firstCluster);
    std::string name = quotedText(entry.name, nameBytes);
    std::printf(entryFormat, slot, name.c_str(), size, entry.firstCluster, chainLength(chain));
    printChainFlags(image, chain, size);
    if (nameRunsOn(entry)) {
        std::printf("  [no 0 after the name: recognition misses it]");
    }
    std::printf("\n");
}
}  // namespace

int32_t usedEntryCount() {
    int32_t used = 0;
    for (const DirectoryEntry& entry : directoryTable) {
        used += entryInUse(entry) ? 1 : 0;
    }
    return used;
}

void printDirectory(const D88Image& image) {
    for (std::size_t slot = 0; slot < directoryEntries; ++slot) {
        if (entryInUse(directoryTable[slot])) {
            printEntry(image, static_cast<int32_t>(slot), directoryTable[slot]);
        }
    }
}
