#include "image/file_reader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {
constexpr std::size_t windowSize = 32768;
// No byte of a stream past the largest image offset is ever needed, so none is kept.
constexpr std::size_t largestStreamed = static_cast<std::size_t>(largestImageOffset);
constexpr std::size_t streamChunk = 65536;
}  // namespace

bool FileReader::open(const char* path) {
    close();
    stream_.open(path, std::ios::in | std::ios::binary);
    if (!stream_.is_open()) {
        return false;
    }
    path_ = path;
    stream_.seekg(0, std::ios::end);
    seekable_ = !stream_.fail();
    stream_.clear();
    // A directory opens on some systems but fails on the first read; only an
    // error, not an empty file, makes the path unusable.
    uint8_t probe = 0;
    readAt(0, &probe, 1);
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
    path_.clear();
    window_ = {};
    windowLength_ = 0;
    bytesSupplied_ = 0;
    seekable_ = true;
    streamed_ = {};
    streamEnded_ = false;
}

std::size_t FileReader::readAt(int64_t position, uint8_t* dest, std::size_t count) {
    if (!isOpen() || position < 0 || count == 0) {
        return 0;
    }
    if (!seekable_) {
        return readStreamed(position, dest, count);
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

bool FileReader::isSameFile(const char* path) const {
    std::error_code error;
    return isOpen() && std::filesystem::equivalent(path_, path, error) && !error;
}

std::size_t FileReader::readDirect(int64_t position, uint8_t* dest, std::size_t count) {
    // A seek clears the end-of-file state left by an earlier short read.
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(position), std::ios::beg);
    if (!stream_) {
        return 0;
    }
    stream_.read(reinterpret_cast<char*>(dest), static_cast<std::streamsize>(count));
    const std::size_t got = static_cast<std::size_t>(stream_.gcount());
    bytesSupplied_ += static_cast<int64_t>(got);
    return got;
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

std::size_t FileReader::readStreamed(int64_t position, uint8_t* dest, std::size_t count) {
    if (static_cast<uint64_t>(position) >= largestStreamed) {
        return 0;
    }
    const std::size_t start = static_cast<std::size_t>(position);
    streamUpTo(start + std::min(count, largestStreamed - start));
    if (start >= streamed_.size()) {
        return 0;
    }
    const std::size_t copied = std::min(count, streamed_.size() - start);
    std::memcpy(dest, streamed_.data() + start, copied);
    return copied;
}

// Reads on until the stream has supplied `end` bytes or has no more. It reads a
// chunk at a time, so that memory grows only with the bytes the stream holds,
// and never past the largest offset an image can use.
void FileReader::streamUpTo(std::size_t end) {
    while (streamed_.size() < end && !streamEnded_) {
        const std::size_t had = streamed_.size();
        const std::size_t wanted = std::min(streamChunk, largestStreamed - had);
        streamed_.resize(had + wanted);
        stream_.read(reinterpret_cast<char*>(streamed_.data() + had),
                     static_cast<std::streamsize>(wanted));
        const std::size_t got = static_cast<std::size_t>(stream_.gcount());
        bytesSupplied_ += static_cast<int64_t>(got);
        streamed_.resize(had + got);
        streamEnded_ = got < wanted || streamed_.size() >= largestStreamed;
    }
}
