// Writes the software set's own file system onto a test disk: the 48-entry directory
// and the one-sector allocation table on track index 40, and files stored in
// 2048-byte clusters linked through that table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "samples/d88_builder.h"

namespace d88build {

constexpr size_t kClusterSize = 2048;
constexpr int kSectorsPerCluster = 8;
constexpr int kClusterCount = 256;
constexpr int kSystemTrack = 40;
constexpr int kDirectorySector = 13;
constexpr int kDirectorySectors = 3;
constexpr int kAllocationSector = 16;
constexpr int kDirectoryEntries = 48;
constexpr size_t kEntrySize = 16;
constexpr size_t kEntryNameSize = 8;
constexpr size_t kEntryByte8 = 8;
constexpr size_t kEntrySizeField = 10;
constexpr size_t kEntryFirstCluster = 14;
constexpr uint8_t kEndOfChain = 0xC0;
constexpr uint8_t kFreeCluster = 0xFF;
// These two clusters are track index 40, which also holds the directory and the table.
constexpr int kSystemClusterA = 80;
constexpr int kSystemClusterB = 81;

// Where a cluster starts: track index c >> 1, R 1 for even and R 9 for odd clusters.
struct ClusterStart {
    int track;
    int r;
};
ClusterStart clusterStart(int cluster);

// Empty directory (all zero) and an allocation table of 0xFF for every cluster.
void formatGameFs(Disk& disk);

// Writes directory entry `slot` whole: the name NUL-padded to 8 bytes (no NUL when it
// is 8 long), byte 8, the size and the first cluster; unused bytes are 0.
void setEntry(Disk& disk, int slot, const std::string& name8, uint16_t size,
              uint8_t firstCluster, uint8_t byte8 = 0);
// Raw directory bytes of one entry, for checks and hand edits.
Bytes entryBytes(const Disk& disk, int slot);

void setAllocation(Disk& disk, int cluster, uint8_t value);
uint8_t allocation(const Disk& disk, int cluster);

// Lays up to 2048 bytes over the cluster's sectors; the rest keeps its bytes.
void writeCluster(Disk& disk, int cluster, const Bytes& bytes);

// Stores a file: the content over the clusters in chain order (2048 bytes each; the
// last cluster used may be partial and clusters past the content keep their bytes),
// links table[c_i] = c_(i+1) and table[last] = endMark, and writes the entry with
// size content.size() into the first slot whose name byte is 0. Returns that slot.
int addFile(Disk& disk, const std::string& name, const Bytes& content,
            const std::vector<int>& clusters, uint8_t endMark = kEndOfChain);

// Made-up file content: a hash of (seed, position), so it differs by seed and has no
// period of 256 or 2048 that would let a slice taken at a wrong place match.
Bytes pattern(size_t size, uint8_t seed);

}  // namespace d88build
