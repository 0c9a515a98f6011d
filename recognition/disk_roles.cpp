#include "recognition/disk_roles.h"

bool selectForReading(D88Image& image, int32_t diskIndex) {
    bool selected = image.selectDisk(diskIndex);
    image.setSectorRange(firstSectorNumber, lastSectorNumber);
    return selected;
}

bool isMainDiskCandidate(bool carriesDemoSignature) {
    return !carriesDemoSignature;
}

bool takesRole(bool listsRoleFile, bool found) {
    return listsRoleFile && !found;
}

bool secondPassRuns(bool mainDiskFound) {
    return mainDiskFound;
}

// The found flag is cleared at the start of each pass and set by the disk that
// takes the pass's role; every disk is visited all the same.
bool runFirstPass(int32_t diskCount, PassSteps& steps) {
    bool found = false;
    for (int32_t i = 0; i < diskCount; ++i) {
        steps.visit(i);
        if (!isMainDiskCandidate(steps.carriesDemoSignature())) {
            steps.demoDisk(i);
        } else if (takesRole(steps.listsFile(startupFileName), found)) {
            steps.mainDisk(i);
            found = true;
        }
    }
    return found;
}

bool runSecondPass(int32_t diskCount, PassSteps& steps) {
    bool found = false;
    for (int32_t i = 0; i < diskCount; ++i) {
        steps.visit(i);
        if (takesRole(steps.listsFile(bgmscoreFileName), found)) {
            steps.scenarioDisk(i);
            found = true;
        }
    }
    return found;
}
