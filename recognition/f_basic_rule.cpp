// F-BASIC: the ID sector (sector 3 of track 0) begins "S  ", and the cluster
// table in sector 1 of track 2 marks every cluster free, reserved, linked or
// last, and chains each file of the directory behind it (sectors 4-16) to an
// end code.
#include <algorithm>
#include <cstring>

#include "recognition/foreign_rules.h"

namespace {
constexpr int32_t sectorBytes = 256;
constexpr int32_t idSector = 3;
constexpr char idText[] = "S  ";
constexpr int32_t tableTrack = 2;
constexpr int32_t tableSector = 1;
// The table's first bytes are no cluster's; cluster 0 is the first of track 4.
constexpr int32_t firstClusterEntry = 5;
constexpr int32_t systemTracks = 4;
constexpr int32_t clustersPerTrack = 2;
constexpr int32_t mostClusters = sectorBytes - firstClusterEntry;
constexpr int32_t firstDirectorySector = 4;
constexpr int32_t lastDirectorySector = 16;
constexpr DirectoryLayout layout = {sectorBytes, 32, 14};
// A file's last cluster is 0xC0 + the sectors of it in use - 1; 0xFD and 0xFE
// are reserved, 0xFF free.
constexpr uint8_t firstEndCode = 0xC0;
constexpr uint8_t lastEndCode = 0xC7;
constexpr uint8_t firstReserved = 0xFD;

bool tableValueAgrees(uint8_t value, int32_t clusters) {
    return value < clusters || (value >= firstEndCode && value <= lastEndCode) ||
           value >= firstReserved;
}

}  // namespace

bool isFBasicDisk(D88Image& image, ForeignFileSystem& found) {
    const std::vector<uint8_t> id = trackSector(image, 0, idSector, sectorBytes);
    const std::vector<uint8_t> values = trackSector(image, tableTrack, tableSector, sectorBytes);
    if (id.empty() || std::memcmp(id.data(), idText, sizeof idText - 1) != 0 || values.empty()) {
        return false;
    }
    const int32_t clusters =
        std::min((namedTracks(image) - systemTracks) * clustersPerTrack, mostClusters);
    if (clusters <= 0) {
        return false;
    }
    const ByteTable table = {values.data() + firstClusterEntry, clusters, firstEndCode,
                             lastEndCode};
    for (int32_t c = 0; c < clusters; ++c) {
        if (!tableValueAgrees(table.values[c], clusters)) {
            return false;
        }
    }
    int32_t files = 0;
    bool formatted = false;  // not this system's question
    for (int32_t r = firstDirectorySector; r <= lastDirectorySector; ++r) {
        const std::vector<uint8_t> sector = trackSector(image, tableTrack, r, sectorBytes);
        if (sector.empty() ||
            !directorySectorAgrees(sector.data(), layout, table, files, formatted)) {
            return false;
        }
    }
    found.system = ForeignSystem::fBasic;
    found.files = files;
    return true;
}
