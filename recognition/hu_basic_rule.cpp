// Hu-BASIC: the cluster table in sector 15 of track 0 reserves clusters 0 and
// 1 (01 8F), and the directory in cluster 1 (track 1) chains each of its files
// through the table to an end code.
#include <algorithm>

#include "recognition/foreign_rules.h"

namespace {
// A cluster is a track of 16 sectors of 256 bytes.
constexpr int32_t sectorBytes = 256;
constexpr int32_t tableTrack = 0;
constexpr int32_t tableSector = 15;
constexpr int32_t directoryTrack = 1;
constexpr int32_t directorySectors = 16;
constexpr DirectoryLayout layout = {sectorBytes, 32, 30};
// The last cluster of a file is marked 0x80 + the sectors of it in use - 1.
constexpr uint8_t firstEndCode = 0x80;
constexpr uint8_t lastEndCode = 0x8F;
// The most clusters a table sector holds entries for (2DD: 160 tracks).
constexpr int32_t mostClusters = 160;

}  // namespace

bool isHuBasicDisk(D88Image& image, ForeignFileSystem& found) {
    const std::vector<uint8_t> values = trackSector(image, tableTrack, tableSector, sectorBytes);
    if (values.empty() || values[0] != 0x01 || values[1] != lastEndCode) {
        return false;
    }
    const int32_t clusters = std::min(namedTracks(image), mostClusters);
    const ByteTable table = {values.data(), clusters, firstEndCode, lastEndCode};
    int32_t files = 0;
    bool anyFormatted = false;
    for (int32_t r = 1; r <= directorySectors; ++r) {
        const std::vector<uint8_t> sector = trackSector(image, directoryTrack, r, sectorBytes);
        if (sector.empty() ||
            !directorySectorAgrees(sector.data(), layout, table, files, anyFormatted)) {
            return false;
        }
    }
    // A directory of zeros is no formatted one: a formatter leaves 0xFF.
    if (!anyFormatted) {
        return false;
    }
    found.system = ForeignSystem::huBasic;
    found.files = files;
    return true;
}
