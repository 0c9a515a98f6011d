#include "samples/game_disk.h"

#include <algorithm>
#include <limits>

namespace d88build {

namespace {

constexpr int kEntriesPerSector = static_cast<int>(kSectorSize / kEntrySize);
constexpr size_t kEntrySizeFieldHigh = kEntrySizeField + 1;

// Mixing constants of the content hash (odd multipliers spread every input bit).
constexpr uint32_t kPositionMultiplier = 0x9E3779B1u;
constexpr uint32_t kSeedMultiplier = 0x85EBCA77u;
constexpr uint32_t kMixMultiplier = 0x2C1B3C6Du;
constexpr int kMixShiftA = 15;
constexpr int kMixShiftB = 13;
constexpr int kMixShiftC = 24;

void requireSlot(int slot) {
    require(slot >= 0 && slot < kDirectoryEntries, "directory slot outside 0..47");
}

void requireCluster(int cluster) {
    require(cluster >= 0 && cluster < kClusterCount, "cluster outside 0..255");
}

int entrySector(int slot) { return kDirectorySector + slot / kEntriesPerSector; }

size_t entryOffset(int slot) {
    return static_cast<size_t>(slot % kEntriesPerSector) * kEntrySize;
}

int firstFreeSlot(const Disk& disk) {
    for (int slot = 0; slot < kDirectoryEntries; ++slot) {
        if (entryBytes(disk, slot)[0] == 0) {
            return slot;
        }
    }
    require(false, "directory full");
    return -1;
}

void linkChain(Disk& disk, const std::vector<int>& clusters, uint8_t endMark) {
    for (size_t i = 0; i + 1 < clusters.size(); ++i) {
        setAllocation(disk, clusters[i], static_cast<uint8_t>(clusters[i + 1]));
    }
    setAllocation(disk, clusters.back(), endMark);
}

void writeContent(Disk& disk, const Bytes& content, const std::vector<int>& clusters) {
    for (size_t i = 0; i * kClusterSize < content.size(); ++i) {
        const auto begin = content.begin() + static_cast<std::ptrdiff_t>(i * kClusterSize);
        const size_t length = std::min(kClusterSize, content.size() - i * kClusterSize);
        writeCluster(disk, clusters[i], Bytes(begin, begin + static_cast<std::ptrdiff_t>(length)));
    }
}

}  // namespace

ClusterStart clusterStart(int cluster) {
    requireCluster(cluster);
    const int firstSectorOfOddHalf = kFirstSector + kSectorsPerCluster;
    return ClusterStart{cluster >> 1, (cluster & 1) ? firstSectorOfOddHalf : kFirstSector};
}

void formatGameFs(Disk& disk) {
    for (int k = 0; k < kDirectorySectors; ++k) {
        Bytes& data = disk.sector(kSystemTrack, kDirectorySector + k);
        std::fill(data.begin(), data.end(), 0);
    }
    Bytes& table = disk.sector(kSystemTrack, kAllocationSector);
    std::fill(table.begin(), table.end(), kFreeCluster);
}

void setEntry(Disk& disk, int slot, const std::string& name8, uint16_t size,
              uint8_t firstCluster, uint8_t byte8) {
    requireSlot(slot);
    require(name8.size() <= kEntryNameSize, "file name longer than 8 bytes");
    Bytes entry(kEntrySize, 0);
    std::copy(name8.begin(), name8.end(), entry.begin());
    entry[kEntryByte8] = byte8;
    entry[kEntrySizeField] = static_cast<uint8_t>(size & 0xFF);
    entry[kEntrySizeFieldHigh] = static_cast<uint8_t>(size >> 8);
    entry[kEntryFirstCluster] = firstCluster;
    Bytes& data = disk.sector(kSystemTrack, entrySector(slot));
    require(data.size() >= entryOffset(slot) + kEntrySize, "directory sector too short");
    std::copy(entry.begin(), entry.end(), data.begin() + static_cast<std::ptrdiff_t>(entryOffset(slot)));
}

Bytes entryBytes(const Disk& disk, int slot) {
    requireSlot(slot);
    const Bytes& data = disk.sector(kSystemTrack, entrySector(slot));
    require(data.size() >= entryOffset(slot) + kEntrySize, "directory sector too short");
    const auto begin = data.begin() + static_cast<std::ptrdiff_t>(entryOffset(slot));
    return Bytes(begin, begin + static_cast<std::ptrdiff_t>(kEntrySize));
}

void setAllocation(Disk& disk, int cluster, uint8_t value) {
    requireCluster(cluster);
    Bytes& table = disk.sector(kSystemTrack, kAllocationSector);
    require(table.size() > static_cast<size_t>(cluster), "allocation sector too short");
    table[static_cast<size_t>(cluster)] = value;
}

uint8_t allocation(const Disk& disk, int cluster) {
    requireCluster(cluster);
    const Bytes& table = disk.sector(kSystemTrack, kAllocationSector);
    require(table.size() > static_cast<size_t>(cluster), "allocation sector too short");
    return table[static_cast<size_t>(cluster)];
}

void writeCluster(Disk& disk, int cluster, const Bytes& bytes) {
    require(bytes.size() <= kClusterSize, "more than one cluster of bytes");
    const ClusterStart start = clusterStart(cluster);
    disk.writeRun(start.track, start.r, bytes);
}

int addFile(Disk& disk, const std::string& name, const Bytes& content,
            const std::vector<int>& clusters, uint8_t endMark) {
    require(!clusters.empty(), "a file needs at least its first cluster");
    require(content.size() <= clusters.size() * kClusterSize, "content longer than its clusters");
    require(content.size() <= std::numeric_limits<uint16_t>::max(), "file size above 65535");
    for (int cluster : clusters) {
        requireCluster(cluster);
    }
    writeContent(disk, content, clusters);
    linkChain(disk, clusters, endMark);
    const int slot = firstFreeSlot(disk);
    setEntry(disk, slot, name, static_cast<uint16_t>(content.size()),
             static_cast<uint8_t>(clusters.front()));
    return slot;
}

Bytes pattern(size_t size, uint8_t seed) {
    Bytes out(size);
    for (size_t i = 0; i < size; ++i) {
        uint32_t h = static_cast<uint32_t>(i) * kPositionMultiplier + (seed + 1u) * kSeedMultiplier;
        h ^= h >> kMixShiftA;
        h *= kMixMultiplier;
        h ^= h >> kMixShiftB;
        out[i] = static_cast<uint8_t>(h >> kMixShiftC);
    }
    return out;
}

}  // namespace d88build
