#ifndef QUELT_TOOL_CONSOLE_CONSOLE_H
#define QUELT_TOOL_CONSOLE_CONSOLE_H

#include "common/error_stream.h"

// Ends quelt's output: flushes standard output and, when any of it could not be
// written, says so once on standard error in quelt's own words. Returns
// `status`, or 1 when standard output failed.
int finishRunOutput(int status);

#endif
