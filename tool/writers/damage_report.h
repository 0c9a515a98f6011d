#ifndef QUELT_TOOL_WRITERS_DAMAGE_REPORT_H
#define QUELT_TOOL_WRITERS_DAMAGE_REPORT_H

#include <cstdint>

// An output written from bytes that could not all be read is damaged: the run
// still writes it, warns on standard error and ends with status 1, so that a
// user or a script never takes it for a good copy.

// Prints the warning for `name` and remembers that the run produced damage.
void reportDamaged(const char* name);
bool anyOutputDamaged();
void clearDamage();

// Loads a file of the selected disk into workBuffer (see loadFile), prints its
// loading line when the disk has it, and warns when some of its bytes could not
// be read. Returns the entry's size field.
int32_t loadFileReporting(const char* name);

#endif
