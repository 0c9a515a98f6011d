#include "lister/role_picks.h"

void pickRoles(RolePicks& picks, int32_t diskIndex, const DiskVerdict& verdict) {
    if (diskIndex < 0 || diskIndex >= D88Image::maxDisks) {
        return;
    }
    if (!isMainDiskCandidate(verdict.demoSignature)) {
        picks.demo[diskIndex] = true;
    } else if (takesRole(verdict.listsStartup, picks.mainDisk != noDisk)) {
        picks.mainDisk = diskIndex;
    }
    if (takesRole(verdict.listsBgmscore, picks.scenarioDisk != noDisk)) {
        picks.scenarioDisk = diskIndex;
    }
}
