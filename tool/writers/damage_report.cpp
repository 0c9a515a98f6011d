#include "tool/writers/damage_report.h"

#include <cstdio>

#include "gamefs/game_fs.h"
#include "tool/console/console.h"
#include "tool/writers/disk_image.h"
#include "tool/messages.h"

namespace {
bool damaged = false;
}

void reportDamaged(const char* name) {
    printErrorFormatted(partlyUnreadableFormat, name);
    damaged = true;
}

bool anyOutputDamaged() {
    return damaged;
}

void clearDamage() {
    damaged = false;
}

int32_t loadFileReporting(const char* name) {
    LoadResult result = loadFile(diskImage, name);
    if (result.entry >= 0) {
        std::printf(loadingFormat, entryName(directoryTable[result.entry]).c_str());
    }
    if (!result.complete) {
        reportDamaged(name);
    }
    return result.size;
}
