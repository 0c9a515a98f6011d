#ifndef QUELT_IMAGE_TEMPORARY_COPY_H
#define QUELT_IMAGE_TEMPORARY_COPY_H

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

// A new file in the system's temporary folder that bytes are appended to and
// read back from, so that a stream that cannot seek is read as a regular file,
// held on disk and not in memory. It lies in a folder of its own, made afresh
// (making a folder fails where one is), so no file that was there before is
// ever written. On POSIX systems both are removed as soon as the file is open,
// so nothing is left behind even when the process is killed; on Windows an open
// file cannot be removed, so they are removed when it is closed (a killed
// process leaves them in the temporary folder).
class TemporaryCopy {
public:
    TemporaryCopy() = default;
    ~TemporaryCopy() { close(); }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    // Makes the file; false when none can be made.
    bool create();
    void close();
    // Appends `count` bytes; false when they cannot all be written.
    bool append(const uint8_t* bytes, std::size_t count);
    // The bytes appended so far, read back by position.
    std::ifstream& reader() { return reader_; }

private:
    void removeFiles();

    std::filesystem::path folder_;  // empty once removed
    std::ofstream writer_;
    std::ifstream reader_;
};

#endif
