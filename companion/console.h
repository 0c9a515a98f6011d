#ifndef QUELT_COMPANION_CONSOLE_H
#define QUELT_COMPANION_CONSOLE_H

// The companions' two streams: standard error as every program writes it, and
// the end of standard output, said in English as GNU tools say it.

#include "common/error_stream.h"

// The name the companion's lines on standard error begin with; set once when
// its run starts ("quelt-ls", "quelt-cp").
void setProgramName(const char* program);

// Ends the companion's output: flushes standard output and, when any of it
// could not be written, says so once on standard error,
// "PROGRAM: standard output: REASON" with the system's reason. Returns
// `status`, or 1 when standard output failed.
int finishOutput(int status);

#endif
