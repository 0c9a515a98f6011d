#ifndef QUELT_COPIER_COPY_WRITER_H
#define QUELT_COPIER_COPY_WRITER_H

#include <cstdint>
#include <string>

#include "companion/diagnostics.h"
#include "image/d88_image.h"

// How quelt-cp writes each file it copies, so that a failed copy never destroys
// one: the bytes go to a new temporary file beside the target, are flushed to
// the disk, and only then is the temporary file renamed over the target. On any
// failure the temporary file is removed and a file of the target's name is left
// exactly as it was. Through a symbolic link, the file the link leads to is the
// one replaced (as cp writes through links). A replaced file's mode, and where
// the system allows it its owner and group, pass to the new file; its other
// hard links keep the old bytes (a write in place would lose them on a failed
// copy), which the result tells. A device (NUL or CON on Windows, /dev/null, a
// FIFO, a terminal) cannot be replaced and has no bytes to lose: it is written
// directly, as cp writes to one. quelt's own writer
// (tool/writers/output_file.h) writes in place; its documented behaviour
// relies on that.

// How the temporary file is made: the best way the system has (on Linux a file
// without a name until it is complete), or always with a name, the way of
// every other system (the tests take it on Linux too).
enum class TemporaryFile { best, named };

struct CopyWriteOptions {
    // Replace a file the user could not write (read-only to them), as cp -f.
    bool force = false;
    TemporaryFile temporary = TemporaryFile::best;
    // The image being read, never written over (also through a hard or
    // symbolic link); null when there is none to guard.
    const D88Image* image = nullptr;
};

// How a copy's write went.
struct CopyWriteResult {
    bool written = false;
    // Not written: the system's reason, or one of the program's own when
    // `problem` is set.
    SystemError error;
    const char* problem = nullptr;
    // Not written because no temporary file could be made in the target's folder.
    bool noTemporary = false;
    // Written over a file that had other names (hard links): how many.
    unsigned long otherLinks = 0;
};

// Shown when the target is the image being read, which is never written (also
// through a hard or symbolic link).
constexpr char isTheImageProblem[] = "is the image being read; not written";
// Shown when the target exists and the user could not write it, without -f.
constexpr char readOnlyProblem[] = "is read-only to you; not replaced (-f replaces it)";

// Where a run's copies go: the file system's (SystemCopyWriter), or memory in
// the fuzz targets, which the run is given.
class CopyWriter {
public:
    virtual ~CopyWriter() = default;
    // Writes the `count` bytes at `bytes` as the file `target`.
    virtual CopyWriteResult write(const std::string& target, const uint8_t* bytes, int32_t count,
                                  const CopyWriteOptions& options) = 0;
};

// The file system, as above. Making one lets a file-size limit fail a write
// instead of ending the process; on POSIX the signals that end a run
// (SIGINT, SIGTERM, SIGHUP) are held back while a temporary file exists, so
// that the run ends only once the file is renamed into place or removed.
class SystemCopyWriter final : public CopyWriter {
public:
    SystemCopyWriter();
    CopyWriteResult write(const std::string& target, const uint8_t* bytes, int32_t count,
                          const CopyWriteOptions& options) override;
};

#endif
