#ifndef QUELT_TOOL_RUN_MAIN_DISK_H
#define QUELT_TOOL_RUN_MAIN_DISK_H

#include <cstddef>
#include <cstdint>

#include "recognition/set_files.h"

// Where the eighteen music pieces lie inside the scenario disk's "bgmscore",
// as the main disk's "startup" holds it.
extern uint8_t musicTable[musicTableSize];

// Record `piece` of musicTable.
MusicEntry musicEntry(std::size_t piece);

// The selected disk is the main disk: cut "fmdriver", load "startup" and keep
// its music table.
void cutMainDisk(int32_t diskIndex);

#endif
