// Whether a directory that could be read is this file system's (see the header).
#include "recognition/directory_rule.h"

#include "common/plural.h"

namespace {
// Bytes below a space and DEL are control codes, which no name is typed with.
bool nameByte(uint8_t byte) {
    return byte >= 0x20 && byte != 0x7F;
}

bool plausible(const DirectoryEntry& entry) {
    return nameEnds(entry) && !walkChain(entry.firstCluster).loops;
}

bool directoryAllZero() {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(directoryTable);
    for (std::size_t i = 0; i < sizeof directoryTable; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}
}  // namespace

bool nameEnds(const DirectoryEntry& entry) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&entry);
    for (std::size_t i = 0; i <= entryNameBytes; ++i) {
        if (bytes[i] == 0) {
            return true;
        }
        if (!nameByte(bytes[i])) {
            return false;
        }
    }
    return false;
}

std::string foreignDirectoryReason(int32_t linkedClusters) {
    if (linkedClusters > 0 && directoryAllZero()) {
        return "zero fill";
    }
    if (directoryHoldsOnlyFill()) {
        return "every used entry is one byte repeated";
    }
    long long used = 0;
    long long plausibleCount = 0;
    for (const DirectoryEntry& entry : directoryTable) {
        used += entryInUse(entry) ? 1 : 0;
        plausibleCount += entryInUse(entry) && plausible(entry) ? 1 : 0;
    }
    if (plausibleCount * 2 >= used) {
        return "";
    }
    return "only " + std::to_string(plausibleCount) + " of " +
           counted(used, "used entry has", "used entries have") +
           " a name that ends and a chain that ends";
}

int32_t linkedClusterCount(const D88Image& image) {
    int32_t linked = 0;
    for (std::size_t cluster = 0; cluster < allocationEntries; ++cluster) {
        const bool onDisk = image.trackUsable(clusterAddress(static_cast<int32_t>(cluster)).track);
        linked += onDisk && allocationTable[cluster] < lastClusterMark ? 1 : 0;
    }
    return linked;
}
