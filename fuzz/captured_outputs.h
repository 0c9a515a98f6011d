// The fuzz build's own writeOutputFile (tool/writers/output_file.h) and writeCopy
// (copier/copy_writer.h), linked in place of the programs' ones: each file a
// run writes is kept in memory for the target's checks instead of going to the
// file system, where creating, writing and removing a run's 24 files cost more
// than the rest of a quick run.
#pragma once

#include <cstdint>

#include "fuzz/program_runs.h"

namespace fuzzruns {

// Whether the files' bytes are kept, or only their sizes (the default).
void keepOutputBytes(bool keep);

// The files written since the last call, by the names the runs gave them; a
// name written again holds its last bytes, as a file would.
Outputs takeCapturedOutputs();

// What writeOutputFile does here. A name that would not make a file in the
// run's folder, or would overwrite the image, is a finding.
void capture(const char* name, const uint8_t* bytes, int32_t count);

}  // namespace fuzzruns
