#ifndef QUELT_TOOL_RUN_SCENARIO_DISK_H
#define QUELT_TOOL_RUN_SCENARIO_DISK_H

#include <cstddef>
#include <cstdint>

constexpr std::size_t nameBufferSize = 260;

// The selected disk is the scenario disk: write "sud_data" whole and cut mus00
// to mus17 out of "bgmscore" by the music table. Output names are built in
// `nameBuffer`.
void cutScenarioDisk(int32_t diskIndex, char (&nameBuffer)[nameBufferSize]);

#endif
