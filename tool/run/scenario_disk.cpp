#include "tool/run/scenario_disk.h"

#include <cstdio>

#include "recognition/disk_roles.h"
#include "tool/messages.h"
#include "tool/run/main_disk.h"
#include "tool/writers/damage_report.h"
#include "tool/writers/writers.h"

namespace {
void cutMusicPieces(char (&nameBuffer)[nameBufferSize]) {
    for (std::size_t piece = 0; piece < musicPieces; ++piece) {
        MusicEntry entry = musicEntry(piece);
        std::snprintf(nameBuffer, nameBufferSize, musicPieceNameFormat, static_cast<int>(piece));
        cutBuffer(nameBuffer, pieceOffset(entry), entry.size);
    }
}
}  // namespace

void cutScenarioDisk(int32_t diskIndex, char (&nameBuffer)[nameBufferSize]) {
    std::printf(scenarioDiskFoundFormat, diskIndex + 1);
    std::snprintf(nameBuffer, nameBufferSize, "%s", sudDataFileName);
    int32_t size = loadFileReporting(nameBuffer);
    cutBuffer(nameBuffer, 0, size);
    // The pieces are cut from "bgmscore" as it now lies in workBuffer.
    loadFileReporting(bgmscoreFileName);
    cutMusicPieces(nameBuffer);
}
