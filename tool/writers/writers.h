#ifndef QUELT_TOOL_WRITERS_WRITERS_H
#define QUELT_TOOL_WRITERS_WRITERS_H

#include <cstdint>

#include "common/sector_address.h"

// The two ways an output file is made. Each creates (or truncates) its file,
// writes it whole and closes it within one call. When the file cannot be created
// or written, they print the write failure and end the process with status 1;
// files written before stay in place.

// Reads `size` bytes of the sector run at `address` into workBuffer and writes
// them to `name`. Where sectors could not be read the file holds what workBuffer
// held before, and the output is reported damaged.
void cutSectors(const char* name, const SectorAddress& address, int32_t size);

// Writes the `size` bytes of workBuffer at `offset` to `name`. Only the part that
// lies inside workBuffer is written; a piece reaching past it is reported damaged.
void cutBuffer(const char* name, int32_t offset, int32_t size);

#endif
