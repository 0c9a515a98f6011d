#include "tool/disk_roles.h"

namespace {
constexpr int32_t firstSector = 1;
constexpr int32_t lastSector = 16;
}  // namespace

bool selectForReading(D88Image& image, int32_t diskIndex) {
    bool selected = image.selectDisk(diskIndex);
    image.setSectorRange(firstSector, lastSector);
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
