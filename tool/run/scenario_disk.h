#ifndef QUELT_TOOL_RUN_SCENARIO_DISK_H
#define QUELT_TOOL_RUN_SCENARIO_DISK_H

#include <cstddef>
#include <cstdint>

constexpr std::size_t nameBufferSize = 260;

// Second pass: when the selected disk's directory lists "bgmscore" and no
// scenario disk was found yet, it is the scenario disk: write "sud_data" whole and
// cut mus00 to mus17 out of "bgmscore" by the music table. Output names are
// built in `nameBuffer`.
void extractIfScenarioDisk(int32_t diskIndex, bool& found,
                           char (&nameBuffer)[nameBufferSize]);

#endif
