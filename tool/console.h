#ifndef QUELT_TOOL_CONSOLE_H
#define QUELT_TOOL_CONSOLE_H

// The programs' two streams. Standard output is buffered and standard error is
// not, so every message to standard error first flushes standard output: one log
// of both streams keeps the lines in the order they were printed.

// Writes `text` to standard error.
void printError(const char* text);
// Writes `format` with its one %s filled by `name` to standard error.
void printErrorNaming(const char* format, const char* name);

// Ends a program's output: flushes standard output and, when any of it could not
// be written, says so once on standard error. Returns `status`, or 1 when
// standard output failed.
int finishOutput(int status);

#endif
