#include "lister/role_picks.h"

void pickRoles(RolePicks& picks, int32_t diskIndex, const DiskVerdict& verdict) {
    if (diskIndex < 0 || diskIndex >= D88Image::maxDisks) {
        return;
    }
    if (verdict.demoSignature) {
        picks.demo[diskIndex] = true;
    } else if (verdict.listsStartup && picks.mainDisk == noDisk) {
        picks.mainDisk = diskIndex;
    }
    if (verdict.listsBgmscore && picks.scenarioDisk == noDisk) {
        picks.scenarioDisk = diskIndex;
    }
}
