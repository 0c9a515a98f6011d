#ifndef QUELT_IMAGE_RECORD_WINDOW_H
#define QUELT_IMAGE_RECORD_WINDOW_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "image/file_reader.h"

// Record headers read from the file front to back, a chunk at a time: the sweep
// over every walk asks for them in rising order of position, so bytes before the
// latest position asked are never needed again, and memory stays at one chunk
// whatever the file's size.
class RecordWindow {
public:
    RecordWindow(FileReader& file, std::size_t chunkBytes);

    // The 16 header bytes at `position`, or nullptr when the file ends before
    // they are whole. `position` never falls below one asked before.
    const uint8_t* header(int64_t position);

private:
    bool holds(int64_t position) const;
    void refillFrom(int64_t position);

    FileReader& file_;
    std::size_t capacity_;
    std::unique_ptr<uint8_t[]> bytes_;  // unset beyond length_
    int64_t start_ = 0;           // where bytes_[0] lies in the file
    std::size_t length_ = 0;      // bytes held
    bool reachedEnd_ = false;     // the file ends at start_ + length_
};

#endif
