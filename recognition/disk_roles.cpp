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
