#ifndef QUELT_JOINER_SET_RULE_H
#define QUELT_JOINER_SET_RULE_H

#include <cstdint>
#include <vector>

// Which disks of all the operands' disks, in order, make the set quelt runs:
// its two passes (recognition/disk_roles.h) over the disks as one image would
// hold them. Disk numbers here are indexes into that list.

// What the passes ask of a disk.
struct RoleFacts {
    bool demoSignature = false;
    bool listsStartup = false;
    bool listsBgmscore = false;
};

constexpr int32_t noSetDisk = -1;

enum class SetRole { demo, main, scenario };

// A disk that would have taken `role` but another took it.
struct PassedOver {
    int32_t disk;
    SetRole role;
};

struct SetChoice {
    // quelt cuts the demo files from every disk with the signature: the last
    // one's are those left in place, so it is the demo disk of the set.
    int32_t demo = noSetDisk;
    int32_t main = noSetDisk;
    // The first disk that lists "bgmscore", also when no main disk was found
    // (quelt would not look for it then; the line that says so names it).
    int32_t scenario = noSetDisk;
    // The candidates not written, in their order, each for the role it lost.
    std::vector<PassedOver> passedOver;
    // The disks to write: demo, main, scenario, each once; in their own order
    // when quelt would give the disks other roles in that one. Empty unless
    // complete().
    std::vector<int32_t> order;

    bool complete() const { return main != noSetDisk && scenario != noSetDisk; }
};

SetChoice chooseSet(const std::vector<RoleFacts>& disks);

#endif
