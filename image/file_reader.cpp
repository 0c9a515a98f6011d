#include "image/file_reader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {
constexpr std::size_t windowSize = 16384;
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
    // The windows' bytes are kept for the next file: a closed reader holds at
    // most windowCount blocks.
    for (Window& window : windows_) {
        window.start = -1;
        window.length = 0;
        window.lastUse = 0;
    }
    lastWindow_ = 0;
    uses_ = 0;
    bytesSupplied_ = 0;
    seekable_ = true;
    knownEnd_ = std::numeric_limits<int64_t>::max();
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
    if (position >= knownEnd_) {
        return 0;
    }
    if (count > windowSize) {
        return readDirect(position, dest, count);
    }
    return readWindowed(position, dest, count);
}

// A read may span two windows; a window shorter than a block ends the file.
std::size_t FileReader::readWindowed(int64_t position, uint8_t* dest, std::size_t count) {
    std::size_t copied = 0;
    while (copied < count) {
        const int64_t at = position + static_cast<int64_t>(copied);
        if (at >= knownEnd_) {
            break;
        }
        const Window& window = windowAt(at - at % static_cast<int64_t>(windowSize));
        const auto skip = static_cast<std::size_t>(at - window.start);
        if (skip >= window.length) {
            break;
        }
        const std::size_t part = std::min(count - copied, window.length - skip);
        std::memcpy(dest + copied, window.bytes.get() + skip, part);
        copied += part;
    }
    return copied;
}

// The window of the block at `blockStart`, read into a new window or, once
// there are windowCount, into the least recently used one when none holds it.
const FileReader::Window& FileReader::windowAt(int64_t blockStart) {
    std::size_t chosen = lastWindow_;
    if (chosen >= windows_.size() || windows_[chosen].start != blockStart) {
        chosen = 0;
        while (chosen < windows_.size() && windows_[chosen].start != blockStart) {
            ++chosen;
        }
    }
    if (chosen == windows_.size()) {
        chosen = windowToReplace();
        Window& window = windows_[chosen];
        if (!window.bytes) {
            window.bytes.reset(new uint8_t[windowSize]);
        }
        window.start = blockStart;
        window.length = readDirect(blockStart, window.bytes.get(), windowSize);
    }
    lastWindow_ = chosen;
    windows_[chosen].lastUse = ++uses_;
    return windows_[chosen];
}

std::size_t FileReader::windowToReplace() {
    if (windows_.size() < windowCount) {
        windows_.emplace_back();
        return windows_.size() - 1;
    }
    std::size_t oldest = 0;
    for (std::size_t i = 1; i < windows_.size(); ++i) {
        oldest = windows_[i].lastUse < windows_[oldest].lastUse ? i : oldest;
    }
    return oldest;
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
    if (got < count && stream_.eof() && !stream_.bad()) {
        knownEnd_ = std::min(knownEnd_, position + static_cast<int64_t>(got));
    }
    return got;
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
