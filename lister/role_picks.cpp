#include "lister/role_picks.h"

std::vector<const char*> rolesOf(const RolePicks& picks, int32_t diskIndex) {
    std::vector<const char*> roles;
    if (diskIndex < 0 || diskIndex >= D88Image::maxDisks) {
        return roles;
    }
    if (picks.demo[diskIndex]) {
        roles.push_back("demo");
    }
    if (picks.mainDisk == diskIndex) {
        roles.push_back("main");
    }
    if (picks.scenarioDisk == diskIndex && picks.secondPassRuns()) {
        roles.push_back("scenario");
    }
    return roles;
}
