// The used directory entries with their chains, warnings, loads and hashes.
#include "lister/directory_facts.h"

#include <algorithm>
#include <cstring>

#include "common/little_endian.h"
#include "recognition/disk_roles.h"
#include "recognition/track_presence.h"

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

EntryFacts entryFacts(std::size_t slot) {
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
    if (chainLength(chain) < clustersNeeded(facts.size)) {
        facts.warnings.clustersNeeded = clustersNeeded(facts.size);
    }
    facts.warnings.nameRunsOn = nameRunsOn(entry);
    return facts;
}

ReadTrouble troubleOf(TrackPresence presence) {
    switch (presence) {
    case TrackPresence::absent:
        return ReadTrouble::absentTrack;
    case TrackPresence::pastFileEnd:
        return ReadTrouble::trackPastFileEnd;
    case TrackPresence::cutShort:
        return ReadTrouble::trackCutShort;
    case TrackPresence::whole:
        break;
    }
    return ReadTrouble::unreadableSector;
}

// Where the entry's load came up short, and why.
void noteTrouble(D88Image& image, int64_t diskOffset, const LoadResult& loaded,
                 EntryWarnings& warnings) {
    warnings.troubleCluster = loaded.shortCluster;
    warnings.troubleSector = loaded.unreadSector;
    warnings.trouble = troubleOf(trackPresence(image, diskOffset, loaded.unreadSector.track));
}

constexpr std::size_t musicTableEnd = musicTableOffset + musicTableSize;

// Loads the entry over zeros, as quelt-cp does; with `musicTable`, keeps what
// quelt's music table would hold after this load (nothing of the run before
// it reaches that far into the buffer).
void loadEntryFacts(D88Image& image, int64_t diskOffset, bool hashes, uint8_t* buffer,
                    EntryFacts& entry, uint8_t* musicTable) {
    const std::size_t size = static_cast<std::size_t>(entry.size);
    std::memset(buffer, 0, std::max(size, musicTable != nullptr ? musicTableEnd : 0));
    const LoadResult loaded = loadEntry(image, static_cast<std::size_t>(entry.slot), buffer);
    entry.whole = loaded.complete;
    if (loaded.shortCluster >= 0) {
        noteTrouble(image, diskOffset, loaded, entry.warnings);
    }
    if (hashes) {
        entry.hashes = hashesOf(buffer, size);
    }
    if (musicTable != nullptr) {
        std::memcpy(musicTable, buffer + musicTableOffset, musicTableSize);
    }
}

// The entries quelt's loads by name take, found as quelt finds them (which sets
// byte 8 of the entries passed to 0: the entries' bytes are kept before).
void findQueltLoads(QueltLoads& loads) {
    loads.startup = findEntryToLoad(startupFileName);
    loads.sudData = findEntryToLoad(sudDataFileName);
    loads.bgmscore = findEntryToLoad(bgmscoreFileName);
}
}  // namespace

std::vector<EntryFacts> gatherEntries(D88Image& image, int64_t diskOffset, bool hashes,
                                      uint8_t* loadBuffer, QueltLoads& loads) {
    std::vector<EntryFacts> entries;
    for (std::size_t slot = 0; slot < directoryEntries; ++slot) {
        if (entryInUse(directoryTable[slot])) {
            entries.push_back(entryFacts(slot));
        }
    }
    findQueltLoads(loads);
    for (EntryFacts& entry : entries) {
        uint8_t* musicTable = entry.slot == loads.startup ? loads.musicTable : nullptr;
        loadEntryFacts(image, diskOffset, hashes, loadBuffer, entry, musicTable);
    }
    return entries;
}
