#include "tool/run/run.h"

#include <cstdio>
#include <cstring>

#include "common/work_buffer.h"
#include "gamefs/game_fs.h"
#include "recognition/demo_signature.h"
#include "recognition/disk_roles.h"
#include "tool/console/console.h"
#include "tool/messages.h"
#include "tool/run/demo_disk.h"
#include "tool/run/main_disk.h"
#include "tool/run/scenario_disk.h"
#include "tool/writers/damage_report.h"
#include "tool/writers/disk_image.h"

namespace {
int fail(const char* message) {
    printError(message);
    return 1;
}

void resetRunState() {
    diskImage.close();
    std::memset(workBuffer, 0, sizeof workBuffer);
    clearGameFsTables();
    std::memset(musicTable, 0, sizeof musicTable);
    clearDamage();
}

bool findMainDisk() {
    bool found = false;
    for (int32_t i = 0; i < diskImage.diskCount(); ++i) {
        selectForReading(diskImage, i);
        if (isMainDiskCandidate(carriesDemoSignature(diskImage))) {
            extractIfMainDisk(i, found);
        } else {
            std::printf(demoDiskFoundFormat, i + 1);
            cutDemoFiles();
        }
    }
    return found;
}

bool findScenarioDisk() {
    bool found = false;
    char nameBuffer[nameBufferSize] = {};
    for (int32_t i = 0; i < diskImage.diskCount(); ++i) {
        selectForReading(diskImage, i);
        extractIfScenarioDisk(i, found, nameBuffer);
    }
    return found;
}

int runSteps(int argc, char** argv) {
    if (argc != 2) {
        return fail(usageLine);
    }
    if (!diskImage.open(argv[1])) {
        return fail(cannotOpenMessage);
    }
    if (!secondPassRuns(findMainDisk())) {
        return fail(noMainDiskMessage);
    }
    if (!findScenarioDisk()) {
        return fail(noScenarioDiskMessage);
    }
    std::fputs(completeMessage, stdout);
    return anyOutputDamaged() ? 1 : 0;
}
}  // namespace

int runQuelt(int argc, char** argv) {
    resetRunState();
    return finishRunOutput(runSteps(argc, argv));
}
