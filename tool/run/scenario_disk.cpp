#include "tool/run/scenario_disk.h"

#include <cstdio>

#include "gamefs/game_fs.h"
#include "recognition/disk_roles.h"
#include "tool/messages.h"
#include "tool/run/main_disk.h"
#include "tool/writers/damage_report.h"
#include "tool/writers/disk_image.h"
#include "tool/writers/writers.h"

namespace {
void cutMusicPieces(char (&nameBuffer)[nameBufferSize]) {
    for (std::size_t piece = 0; piece < musicPieces; ++piece) {
        MusicEntry entry = musicEntry(piece);
        std::snprintf(nameBuffer, nameBufferSize, "mus%02d", static_cast<int>(piece));
        // A segment is one cluster of "bgmscore".
        cutBuffer(nameBuffer, entry.segment * clusterSize + entry.offset, entry.size);
    }
}
}  // namespace

void extractIfScenarioDisk(int32_t diskIndex, bool& found,
                           char (&nameBuffer)[nameBufferSize]) {
    loadDirectory(diskImage);
    if (!takesRole(findFile(bgmscoreFileName), found)) {
        return;
    }
    std::printf(scenarioDiskFoundFormat, diskIndex + 1);
    std::snprintf(nameBuffer, nameBufferSize, "%s", "sud_data");
    int32_t size = loadFileReporting(nameBuffer);
    cutBuffer(nameBuffer, 0, size);
    // The pieces are cut from "bgmscore" as it now lies in workBuffer.
    loadFileReporting(bgmscoreFileName);
    cutMusicPieces(nameBuffer);
    found = true;
}
