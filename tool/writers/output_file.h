#ifndef QUELT_TOOL_WRITERS_OUTPUT_FILE_H
#define QUELT_TOOL_WRITERS_OUTPUT_FILE_H

#include <cstdint>

// How every program that writes makes its output files.

// Lets a file-size limit refuse a write as a short write, so that it is
// reported like any other write failure; call once at program start. On POSIX
// systems the limit otherwise kills the process (SIGXFSZ); Windows has no such
// limit and nothing changes there.
void letWriteLimitsFail();

// Where quelt's output files go: the file system's (SystemOutputFiles), or
// memory in the fuzz targets, which a run is given.
class OutputFiles {
public:
    virtual ~OutputFiles() = default;
    // Creates (or truncates) `name`, writes the `count` bytes at `bytes` to it,
    // flushed, and closes it. When the file cannot be created or written whole,
    // it prints the write failure and ends the process with status 1 (standard
    // output flushed and checked); files written before stay in place.
    virtual void write(const char* name, const uint8_t* bytes, int32_t count) = 0;
};

// The file system. The image being read is never an output: a name that is
// that file, also through a hard or symbolic link, is refused like a file that
// cannot be created. A full disk or a size limit shows at the write, not only
// at close.
class SystemOutputFiles final : public OutputFiles {
public:
    void write(const char* name, const uint8_t* bytes, int32_t count) override;
};

// The output files of the run under way: set by runQuelt for the writers.
extern OutputFiles* runOutputFiles;

#endif
