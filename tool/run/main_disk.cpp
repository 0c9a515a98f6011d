#include "tool/run/main_disk.h"

#include <cstdio>
#include <cstring>

#include "common/work_buffer.h"
#include "recognition/disk_roles.h"
#include "tool/messages.h"
#include "tool/writers/damage_report.h"
#include "tool/writers/writers.h"

uint8_t musicTable[musicTableSize];

MusicEntry musicEntry(std::size_t piece) {
    return musicEntryIn(musicTable, piece);
}

void cutMainDisk(int32_t diskIndex) {
    std::printf(mainDiskFoundFormat, diskIndex + 1);
    cutSectors(driverCut.name, driverCut.start, driverCut.size);
    loadFileReporting(startupFileName);
    std::memcpy(musicTable, workBuffer + musicTableOffset, musicTableSize);
}
