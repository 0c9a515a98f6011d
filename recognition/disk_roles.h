#ifndef QUELT_RECOGNITION_DISK_ROLES_H
#define QUELT_RECOGNITION_DISK_ROLES_H

#include <cstdint>

#include "image/d88_image.h"

// How quelt's two passes give the disks of an image their roles: the one home
// of the rule. quelt's run follows it as it reads and cuts; quelt-ls follows it
// over what it gathered of each disk.

// A disk whose directory lists "startup" is a main disk; one that lists
// "bgmscore" is a scenario disk.
constexpr char startupFileName[] = "startup";
constexpr char bgmscoreFileName[] = "bgmscore";

// Selects disk `diskIndex` (0-based) and sets the sector range
// firstSectorNumber..lastSectorNumber by which the disks' file system numbers a
// track's sectors, as each pass does before it looks at a disk. False when the
// disk's header cannot be read.
bool selectForReading(D88Image& image, int32_t diskIndex);

// What the passes ask of each disk in turn, and what they say of the disks they
// recognise. Each question is about the disk visited last.
class PassSteps {
public:
    virtual ~PassSteps() = default;
    virtual void visit(int32_t diskIndex) = 0;
    virtual bool carriesDemoSignature() = 0;
    // Whether the disk's directory lists `name` (startupFileName or
    // bgmscoreFileName).
    virtual bool listsFile(const char* name) = 0;
    virtual void demoDisk(int32_t diskIndex) = 0;
    virtual void mainDisk(int32_t diskIndex) = 0;
    virtual void scenarioDisk(int32_t diskIndex) = 0;
};

// The first pass, over disks 0 to diskCount - 1: every disk with the demo
// signature is a demo disk (and no candidate for the main disk); of the others,
// the first whose directory lists "startup" is the main disk. Returns whether a
// main disk was found.
bool runFirstPass(int32_t diskCount, PassSteps& steps);

// Whether the second pass runs: only after the first found a main disk.
bool secondPassRuns(bool mainDiskFound);

// The second pass: the first disk whose directory lists "bgmscore" is the
// scenario disk, demo and main disks included. Returns whether one was found.
bool runSecondPass(int32_t diskCount, PassSteps& steps);

// The rule's two steps on one disk, which the passes take.
// A disk with the demo signature is no candidate for the main disk.
bool isMainDiskCandidate(bool carriesDemoSignature);
// A candidate whose directory lists its role's file takes the role unless an
// earlier disk of the pass took it (`found`, the pass's found flag, is set).
bool takesRole(bool listsRoleFile, bool found);

#endif
