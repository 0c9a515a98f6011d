#include "lister/disk_verdict.h"

#include "gamefs/game_fs.h"
#include "tool/demo_disk.h"
#include "tool/main_disk.h"
#include "tool/scenario_disk.h"

namespace {
// The disks' file system numbers the sectors of every track 1 to 16.
constexpr int32_t firstSector = 1;
constexpr int32_t lastSector = 16;
}  // namespace

bool selectForReading(D88Image& image, int32_t diskIndex) {
    bool selected = image.selectDisk(diskIndex);
    image.setSectorRange(firstSector, lastSector);
    return selected;
}

// quelt reads the directory of every disk in its second pass, the demo disk's
// included, so every disk gets all the tests here.
DiskVerdict judgeDisk(D88Image& image, int32_t diskIndex) {
    DiskVerdict verdict;
    verdict.headerRead = selectForReading(image, diskIndex);
    if (!verdict.headerRead) {
        return verdict;
    }
    verdict.demoSignature = carriesDemoSignature(image);
    verdict.directoryRead = loadDirectory(image);
    verdict.listsStartup = findFile(startupFileName);
    verdict.listsBgmscore = findFile(bgmscoreFileName);
    return verdict;
}
