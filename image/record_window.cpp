#include "image/record_window.h"

#include <algorithm>
#include <cstring>

#include "image/record_walk.h"

RecordWindow::RecordWindow(FileReader& file, std::size_t chunkBytes)
    : file_(file),
      capacity_(std::max<std::size_t>(chunkBytes, recordHeaderSize) + recordHeaderSize),
      bytes_(new uint8_t[capacity_]) {}

const uint8_t* RecordWindow::header(int64_t position) {
    if (!holds(position)) {
        refillFrom(position);
        if (!holds(position)) {
            return nullptr;
        }
    }
    return bytes_.get() + (position - start_);
}

bool RecordWindow::holds(int64_t position) const {
    return position >= start_ &&
           position + recordHeaderSize <= start_ + static_cast<int64_t>(length_);
}

// Keeps what is held from `position` on and reads a chunk after it.
void RecordWindow::refillFrom(int64_t position) {
    const int64_t end = start_ + static_cast<int64_t>(length_);
    if (position >= start_ && position < end) {
        if (reachedEnd_) {
            return;
        }
        const std::size_t kept = static_cast<std::size_t>(end - position);
        std::memmove(bytes_.get(), bytes_.get() + (position - start_), kept);
        length_ = kept;
    } else {
        length_ = 0;
        reachedEnd_ = false;
    }
    start_ = position;
    const std::size_t wanted = capacity_ - length_;
    const std::size_t got =
        file_.readAt(start_ + static_cast<int64_t>(length_), bytes_.get() + length_, wanted);
    length_ += got;
    reachedEnd_ = got < wanted;
}
