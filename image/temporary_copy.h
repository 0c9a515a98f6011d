#ifndef QUELT_IMAGE_TEMPORARY_COPY_H
#define QUELT_IMAGE_TEMPORARY_COPY_H

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

// A new file in the system's temporary folder that bytes are appended to and
// read back from, so that a stream that cannot seek is read as a regular file
// and held on disk, not in memory. Made with exclusive creation, so no file that
// was there before is ever written. On POSIX systems its name is removed as soon
// as it is open, so nothing is left behind even when the process is killed; on
// Windows an open file cannot be removed, so it is removed when it is closed
// (a killed process leaves it in the temporary folder).
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
    std::filesystem::path path_;
    int descriptor_ = -1;  // written through
    std::ifstream reader_;
};

#endif
