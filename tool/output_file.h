#ifndef QUELT_TOOL_OUTPUT_FILE_H
#define QUELT_TOOL_OUTPUT_FILE_H

#include <cstdint>
#include <cstdio>

// How every program that writes makes its output files.

// Lets a file-size limit refuse a write as a short write, so that it is
// reported like any other write failure; call once at program start. On POSIX
// systems the limit otherwise kills the process (SIGXFSZ); Windows has no such
// limit and nothing changes there.
void letWriteLimitsFail();

// Creates (or truncates) `name` for binary writing. The image being read is
// never an output: a name that is that file, also through a hard or symbolic
// link, is refused like a file that cannot be created. nullptr when refused or
// when the file cannot be created.
std::FILE* createOutputFile(const char* name);

// Writes `count` bytes and flushes them, so that a full disk or a size limit
// shows here and not only at close. False when not all were written.
bool writeWhole(std::FILE* out, const uint8_t* bytes, int32_t count);

// Writes the write failure to standard error and ends the process with status 1
// (standard output flushed and checked); files written before stay in place.
[[noreturn]] void stopOnWriteFailure();

#endif
