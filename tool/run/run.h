#ifndef QUELT_TOOL_RUN_RUN_H
#define QUELT_TOOL_RUN_RUN_H

// One whole run of the tool on its command line; returns the exit status: 0
// after a complete, undamaged run whose standard output could all be written, 1
// otherwise. It resets all global state when it starts, so it may be called
// again in the same process. A failed output write ends the process with
// status 1 instead of returning.
int runQuelt(int argc, char** argv);

#endif
