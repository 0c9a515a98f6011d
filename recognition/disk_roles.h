#ifndef QUELT_RECOGNITION_DISK_ROLES_H
#define QUELT_RECOGNITION_DISK_ROLES_H

#include <cstdint>

#include "image/d88_image.h"

// How the run's two passes give the disks of an image their roles. quelt's run
// follows these rules and quelt-ls reports by them.

// A disk whose directory lists "startup" is a main disk; one that lists
// "bgmscore" is a scenario disk.
constexpr char startupFileName[] = "startup";
constexpr char bgmscoreFileName[] = "bgmscore";

// Selects disk `diskIndex` (0-based) and sets the sector range
// firstSectorNumber..lastSectorNumber by which the disks' file system numbers a
// track's sectors, as each pass does before it looks at a disk. False when the
// disk's header cannot be read.
bool selectForReading(D88Image& image, int32_t diskIndex);

// First pass: every disk with the demo signature is cut as a demo disk (a later
// one over an earlier one's files) and is no candidate for the main disk.
bool isMainDiskCandidate(bool carriesDemoSignature);

// A candidate whose directory lists its role's file takes the role unless an
// earlier disk of the pass took it (`found`, the pass's found flag, is set).
bool takesRole(bool listsRoleFile, bool found);

// The second pass looks for the scenario disk only after the first found a main
// disk. Every disk is a candidate in it, demo and main disks too.
bool secondPassRuns(bool mainDiskFound);

#endif
