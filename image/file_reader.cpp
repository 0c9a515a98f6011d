#include "image/file_reader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "image/temporary_copy.h"

namespace {
constexpr std::size_t windowSize = 16384;
// No byte of a stream past the largest image offset is ever needed, so none is copied.
constexpr int64_t largestCopied = largestImageOffset;
constexpr std::size_t copyChunk = 65536;
}  // namespace

FileReader::FileReader() : copy_(new TemporaryCopy) {}

FileReader::~FileReader() = default;

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
    if (!seekable_ && !copy_->create()) {
        close();
        return false;
    }
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
    lastStart_ = 0;
    lastEnd_ = 0;
    uses_ = 0;
    work_ = {};
    seekable_ = true;
    knownEnd_ = std::numeric_limits<int64_t>::max();
    copy_->close();
    copied_ = 0;
    streamEnded_ = false;
}

std::size_t FileReader::readOutsideLastWindow(int64_t position, uint8_t* dest, std::size_t count) {
    if (!isOpen() || position < 0 || count == 0) {
        return 0;
    }
    if (!seekable_) {
        // Whole windows: a window read short of the copy's end ends the file.
        const auto window = static_cast<int64_t>(windowSize);
        copyUpTo(std::min(position, largestCopied) + static_cast<int64_t>(count) + window);
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
    std::size_t chosen = 0;
    while (chosen < windows_.size() && windows_[chosen].start != blockStart) {
        ++chosen;
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
    Window& last = windows_[chosen];
    last.lastUse = ++uses_;
    lastStart_ = last.start;
    lastEnd_ = last.start + static_cast<int64_t>(last.length);
    lastBytes_ = last.bytes.get();
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

std::istream& FileReader::source() {
    return seekable_ ? static_cast<std::istream&>(stream_) : copy_->reader();
}

std::size_t FileReader::readDirect(int64_t position, uint8_t* dest, std::size_t count) {
    std::istream& from = source();
    // A seek clears the end-of-file state left by an earlier short read.
    from.clear();
    from.seekg(static_cast<std::streamoff>(position), std::ios::beg);
    if (!from) {
        return 0;
    }
    from.read(reinterpret_cast<char*>(dest), static_cast<std::streamsize>(count));
    const std::size_t got = static_cast<std::size_t>(from.gcount());
    work_.bytesSupplied += static_cast<int64_t>(got);
    if (got < count && from.eof() && !from.bad()) {
        knownEnd_ = std::min(knownEnd_, position + static_cast<int64_t>(got));
    }
    return got;
}

// Copies on until the stream has supplied `end` bytes or has no more, a chunk at
// a time, and never past the largest offset an image can use. A copy that cannot
// be written ends it there, as a stream that ended.
void FileReader::copyUpTo(int64_t end) {
    end = std::min(end, largestCopied);
    std::unique_ptr<uint8_t[]> chunk;
    while (copied_ < end && !streamEnded_) {
        if (!chunk) {
            chunk.reset(new uint8_t[copyChunk]);
        }
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<int64_t>(copyChunk, largestCopied - copied_));
        stream_.read(reinterpret_cast<char*>(chunk.get()), static_cast<std::streamsize>(wanted));
        const std::size_t got = static_cast<std::size_t>(stream_.gcount());
        const bool written = copy_->append(chunk.get(), got);
        copied_ += written ? static_cast<int64_t>(got) : 0;
        streamEnded_ = !written || got < wanted || copied_ >= largestCopied;
    }
}
