#ifndef QUELT_TOOL_RUN_RUN_H
#define QUELT_TOOL_RUN_RUN_H

#include "image/file_source.h"
#include "tool/writers/output_file.h"

// One whole run of the tool on its command line; returns the exit status: 0
// after a complete, undamaged run whose standard output could all be written, 1
// otherwise. It resets all global state when it starts, so it may be called
// again in the same process. A failed output write ends the process with
// status 1 instead of returning. The output files go to `files`; `opener`,
// when given, opens the image instead of the file system.
int runQuelt(int argc, char** argv, OutputFiles& files, SourceOpener* opener = nullptr);

#endif
