#include "recognition/disk_verdict.h"

#include "gamefs/game_fs.h"
#include "recognition/demo_signature.h"
#include "recognition/disk_roles.h"

// quelt reads the directory of every disk in its second pass, the demo disk's
// included, so every disk gets all the tests here.
DiskVerdict judgeDisk(D88Image& image, int32_t diskIndex, uint8_t* buffer) {
    DiskVerdict verdict;
    verdict.headerRead = selectForReading(image, diskIndex);
    if (!verdict.headerRead) {
        return verdict;
    }
    verdict.demoSignature = carriesDemoSignature(image, buffer);
    const bool whole = loadDirectory(image);
    verdict.directory = judgeDirectory(image, image.diskOffsetOf(diskIndex), whole);
    verdict.listsStartup = findFile(startupFileName);
    verdict.listsBgmscore = findFile(bgmscoreFileName);
    return verdict;
}
