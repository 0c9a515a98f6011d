#include "image/file_reader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "image/file_source.h"

namespace {
constexpr std::size_t windowSize = 16384;
}  // namespace

FileReader::FileReader() = default;

FileReader::~FileReader() = default;

bool FileReader::open(const char* path) {
    return open(openPathSource(path), path);
}

bool FileReader::open(std::unique_ptr<ByteSource> source, const char* path) {
    close();
    if (!source) {
        return false;
    }
    source_ = std::move(source);
    path_ = path != nullptr ? path : "";
    return true;
}

void FileReader::close() {
    source_.reset();
    path_.clear();
    // The windows' bytes are kept for the next file: a closed reader holds at
    // most observedWindowCount blocks.
    for (Window& window : windows_) {
        window.start = -1;
        window.length = 0;
        window.lastUse = 0;
    }
    lastStart_ = 0;
    lastEnd_ = 0;
    uses_ = 0;
    work_ = {};
    knownEnd_ = std::numeric_limits<int64_t>::max();
    observer_ = nullptr;
    observed_ = 0;
}

std::size_t FileReader::readOutsideLastWindow(int64_t position, uint8_t* dest, std::size_t count) {
    if (!isOpen() || position < 0 || count == 0) {
        return 0;
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
// there are as many as kept, into the least recently used one when none holds it.
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
    feedObserver(last.start, last.bytes.get(), last.length);
    last.lastUse = ++uses_;
    lastStart_ = last.start;
    lastEnd_ = last.start + static_cast<int64_t>(last.length);
    lastBytes_ = last.bytes.get();
    return windows_[chosen];
}

std::size_t FileReader::windowToReplace() {
    if (windows_.size() < (observer_ != nullptr ? observedWindowCount : windowCount)) {
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
    return isOpen() && !path_.empty() && std::filesystem::equivalent(path_, path, error) && !error;
}

std::size_t FileReader::readDirect(int64_t position, uint8_t* dest, std::size_t count) {
    const std::size_t got = source_->readAt(position, dest, count);
    work_.bytesSupplied += static_cast<int64_t>(got);
    if (got < count && !source_->failed()) {
        knownEnd_ = std::min(knownEnd_, position + static_cast<int64_t>(got));
    }
    if (count > windowSize) {
        feedObserver(position, dest, got);
    }
    return got;
}

void FileReader::observeInOrder(ByteObserver* observer) {
    observer_ = observer;
    observed_ = 0;
}

// The observer takes the bytes of [start, start + length) it has not taken yet,
// when they follow on those it has.
void FileReader::feedObserver(int64_t start, const uint8_t* bytes, std::size_t length) {
    const int64_t end = start + static_cast<int64_t>(length);
    if (observer_ != nullptr && start <= observed_ && observed_ < end) {
        observer_->take(bytes + (observed_ - start), static_cast<std::size_t>(end - observed_));
        observed_ = end;
    }
}

PassEnd FileReader::finishInOrder() {
    if (!isOpen() || observer_ == nullptr) {
        return {};
    }
    PassEnd end = source_->passOnward(observed_, *observer_);
    observer_ = nullptr;
    return end;
}
