// N88-BASIC: on cylinder 18 the directory (sectors 1-12) and the cluster table
// (sector 14, copied in 15 and 16) lie together; the table reserves that
// track's own two clusters and chains each file of the directory to an end code.
#include <algorithm>

#include "recognition/foreign_rules.h"

namespace {
constexpr int32_t sectorBytes = 256;
// The system track is head 1 of cylinder 18 on most disks, head 0 on some.
constexpr int32_t systemTracks[] = {37, 36};
constexpr int32_t lastDirectorySector = 12;
constexpr int32_t tableSector = 14;
constexpr DirectoryLayout layout = {sectorBytes, 16, 10};
// A cluster is half a track; a 2D disk has 160.
constexpr int32_t clustersPerTrack = 2;
constexpr int32_t mostClusters = 160;
// A file's last cluster is 0xC0 + the sectors of it in use; 0xFE is reserved.
constexpr uint8_t firstEndCode = 0xC1;
constexpr uint8_t lastEndCode = 0xC8;
constexpr uint8_t reservedCluster = 0xFE;


bool systemTrackAgrees(D88Image& image, int32_t track, int32_t& files) {
    const std::vector<uint8_t> values = trackSector(image, track, tableSector, sectorBytes);
    const int32_t clusters = std::min(namedTracks(image) * clustersPerTrack, mostClusters);
    const int32_t own = track * clustersPerTrack;
    if (values.empty() || own + 1 >= clusters || values[own] != reservedCluster ||
        values[own + 1] != reservedCluster) {
        return false;
    }
    const ByteTable table = {values.data(), clusters, firstEndCode, lastEndCode};
    bool formatted = false;  // not this system's question
    for (int32_t r = 1; r <= lastDirectorySector; ++r) {
        const std::vector<uint8_t> sector = trackSector(image, track, r, sectorBytes);
        if (sector.empty() ||
            !directorySectorAgrees(sector.data(), layout, table, files, formatted)) {
            return false;
        }
    }
    return true;
}
}  // namespace

bool isN88BasicDisk(D88Image& image, ForeignFileSystem& found) {
    for (int32_t track : systemTracks) {
        int32_t files = 0;
        if (systemTrackAgrees(image, track, files)) {
            found.system = ForeignSystem::n88Basic;
            found.files = files;
            return true;
        }
    }
    return false;
}
