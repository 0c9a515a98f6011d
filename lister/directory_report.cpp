#include "lister/directory_report.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/little_endian.h"
#include "lister/listed_names.h"
#include "gamefs/game_fs.h"

namespace {
constexpr char entryFormat[] = "  entry %2d: ";
// A run of identical entries is one line, so that a disk another system filled
// with one byte does not take 48 lines that all say the same.
constexpr char runFormat[] = "  entries %d-%d: %d identical entries, each ";
constexpr char fieldsFormat[] = "%-10s  size %5d  first cluster %3d  chain %3d";

bool sameBytes(const DirectoryEntry& a, const DirectoryEntry& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The last slot of the run of entries identical to the used entry at `first`.
std::size_t lastOfRun(std::size_t first) {
    std::size_t last = first;
    while (last + 1 < directoryEntries &&
           sameBytes(directoryTable[first], directoryTable[last + 1])) {
        ++last;
    }
    return last;
}

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

void printEntryFields(const D88Image& image, const DirectoryEntry& entry) {
    int32_t size = readLe16(entry.size);
    ClusterChain chain = walkChain(entry.firstCluster);
    std::string name = listedNameOf(entry.name, entryNameBytes);
    std::printf(fieldsFormat, name.c_str(), size, entry.firstCluster, chainLength(chain));
    printChainFlags(image, chain, size);
    if (nameRunsOn(entry)) {
        std::printf("  [no 0 after the name: recognition misses it]");
    }
    std::printf("\n");
}

// One line for the used entries from slot `first` to slot `last`, all identical.
void printEntries(const D88Image& image, std::size_t first, std::size_t last) {
    int32_t from = static_cast<int32_t>(first);
    int32_t to = static_cast<int32_t>(last);
    if (from == to) {
        std::printf(entryFormat, from);
    } else {
        std::printf(runFormat, from, to, to - from + 1);
    }
    printEntryFields(image, directoryTable[first]);
}
}  // namespace

void printDirectory(const D88Image& image) {
    std::size_t slot = 0;
    while (slot < directoryEntries) {
        if (!entryInUse(directoryTable[slot])) {
            ++slot;
            continue;
        }
        std::size_t last = lastOfRun(slot);
        printEntries(image, slot, last);
        slot = last + 1;
    }
    if (directoryHoldsOnlyFill()) {
        std::printf("  no file of the set's file system: every used entry is one byte repeated\n");
    }
}
