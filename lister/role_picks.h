#ifndef QUELT_LISTER_ROLE_PICKS_H
#define QUELT_LISTER_ROLE_PICKS_H

#include <cstdint>
#include <vector>

#include "image/d88_image.h"
#include "recognition/disk_roles.h"

constexpr int32_t noDisk = -1;

// Which disks quelt takes for which role, by the rule of its two passes
// (recognition/disk_roles.h, taken in lister/quelt_verdict.h). Disk numbers
// are 0-based.
struct RolePicks {
    bool demo[D88Image::maxDisks] = {};
    int32_t mainDisk = noDisk;
    // The first disk listing "bgmscore", also when the second pass never runs.
    int32_t scenarioDisk = noDisk;

    bool secondPassRuns() const { return ::secondPassRuns(mainDisk != noDisk); }
};

// The roles quelt gives disk `diskIndex`: "demo", "main", "scenario", in that
// order; none when it gives it none.
std::vector<const char*> rolesOf(const RolePicks& picks, int32_t diskIndex);

#endif
