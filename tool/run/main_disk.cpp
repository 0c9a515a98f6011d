#include "tool/run/main_disk.h"

#include <cstdio>
#include <cstring>

#include "common/little_endian.h"
#include "common/work_buffer.h"
#include "gamefs/game_fs.h"
#include "recognition/disk_roles.h"
#include "tool/messages.h"
#include "tool/writers/damage_report.h"
#include "tool/writers/disk_image.h"
#include "tool/writers/writers.h"

uint8_t musicTable[musicTableSize];

namespace {
constexpr SectorAddress driverStart = {2, 1, 0, 5, sectorSizeCode};
constexpr int32_t driverSize = 3840;
// The music table lies at this byte of "startup".
constexpr std::size_t musicTableOffset = 0x1C2A;
constexpr std::size_t musicEntrySize = 6;
}  // namespace

MusicEntry musicEntry(std::size_t piece) {
    const uint8_t* record = musicTable + piece * musicEntrySize;
    return {readLe16(record), readLe16(record + 2), readLe16(record + 4)};
}

void extractIfMainDisk(int32_t diskIndex, bool& found) {
    loadDirectory(diskImage);
    if (!takesRole(findFile(startupFileName), found)) {
        return;
    }
    std::printf(mainDiskFoundFormat, diskIndex + 1);
    cutSectors("fmdriver", driverStart, driverSize);
    loadFileReporting(startupFileName);
    std::memcpy(musicTable, workBuffer + musicTableOffset, musicTableSize);
    found = true;
}
