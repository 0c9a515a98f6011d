// The used directory entries with their chains, warnings and file hashes.
#include "lister/directory_facts.h"

#include <cstring>

#include "common/little_endian.h"
#include "common/work_buffer.h"
#include "gamefs/game_fs.h"

namespace {
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

std::vector<int32_t> clustersOf(const ClusterChain& chain) {
    std::vector<int32_t> clusters(chain.linked, chain.linked + chain.linkedCount);
    if (!chain.loops) {
        clusters.push_back(chain.end);
    }
    return clusters;
}

void noteAbsentTrack(const D88Image& image, const std::vector<int32_t>& chain,
                     EntryWarnings& warnings) {
    for (int32_t cluster : chain) {
        const int32_t track = clusterAddress(cluster).track;
        if (!image.trackUsable(track)) {
            warnings.absentCluster = cluster;
            warnings.absentTrack = track;
            return;
        }
    }
}

EntryFacts entryFacts(const D88Image& image, std::size_t slot) {
    const DirectoryEntry& entry = directoryTable[slot];
    EntryFacts facts;
    facts.slot = static_cast<int32_t>(slot);
    std::memcpy(facts.bytes, &entry, sizeof facts.bytes);
    facts.name = entryName(entry);
    facts.size = readLe16(entry.size);
    facts.firstCluster = entry.firstCluster;
    const ClusterChain chain = walkChain(entry.firstCluster);
    facts.chain = clustersOf(chain);
    facts.warnings.loopsBackTo = chain.loops ? chain.end : -1;
    noteAbsentTrack(image, facts.chain, facts.warnings);
    if (chainLength(chain) < clustersNeeded(facts.size)) {
        facts.warnings.clustersNeeded = clustersNeeded(facts.size);
    }
    facts.warnings.nameRunsOn = nameRunsOn(entry);
    return facts;
}
}  // namespace

std::vector<EntryFacts> gatherEntries(const D88Image& image) {
    std::vector<EntryFacts> entries;
    for (std::size_t slot = 0; slot < directoryEntries; ++slot) {
        if (entryInUse(directoryTable[slot])) {
            entries.push_back(entryFacts(image, slot));
        }
    }
    return entries;
}

void hashFiles(D88Image& image, std::vector<EntryFacts>& entries) {
    for (EntryFacts& entry : entries) {
        const std::size_t size = static_cast<std::size_t>(entry.size);
        std::memset(workBuffer, 0, size);
        loadEntry(image, static_cast<std::size_t>(entry.slot));
        entry.hashes = hashesOf(workBuffer, size);
    }
}
