#include "image/file_reader.h"

#include <cstring>

namespace {
constexpr std::size_t windowSize = 32768;
}

bool FileReader::open(const char* path) {
    close();
    stream_.open(path, std::ios::in | std::ios::binary);
    if (!stream_.is_open()) {
        return false;
    }
    // A directory opens on some systems but fails on the first read; only an
    // error, not an empty file, makes the path unusable.
    uint8_t probe = 0;
    readDirect(0, &probe, 1);
    if (stream_.bad()) {
        close();
        return false;
    }
    return true;
}

void FileReader::close() {
    if (stream_.is_open()) {
        stream_.close();
    }
    stream_.clear();
    windowLength_ = 0;
}

std::size_t FileReader::readAt(int64_t position, uint8_t* dest, std::size_t count) {
    if (!isOpen() || position < 0 || count == 0) {
        return 0;
    }
    if (count > windowSize) {
        return readDirect(position, dest, count);
    }
    if (!windowHolds(position, count)) {
        fillWindow(position);
    }
    if (position < windowStart_ || position - windowStart_ >= static_cast<int64_t>(windowLength_)) {
        return 0;
    }
    std::size_t skip = static_cast<std::size_t>(position - windowStart_);
    std::size_t available = windowLength_ - skip;
    std::size_t copied = count < available ? count : available;
    std::memcpy(dest, window_.data() + skip, copied);
    return copied;
}

std::size_t FileReader::readDirect(int64_t position, uint8_t* dest, std::size_t count) {
    // A seek clears the end-of-file state left by an earlier short read.
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(position), std::ios::beg);
    if (!stream_) {
        return 0;
    }
    stream_.read(reinterpret_cast<char*>(dest), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(stream_.gcount());
}

bool FileReader::windowHolds(int64_t position, std::size_t count) const {
    return position >= windowStart_ &&
           position + static_cast<int64_t>(count) <=
               windowStart_ + static_cast<int64_t>(windowLength_);
}

void FileReader::fillWindow(int64_t position) {
    window_.resize(windowSize);
    windowStart_ = position;
    windowLength_ = readDirect(position, window_.data(), windowSize);
}
