// A stream read by position through its temporary copy.
#include "image/stream_copy.h"

#include <algorithm>
#include <vector>

namespace {
// The stream is read in pieces of this size; a pass reads its copy back so too.
constexpr std::size_t copyChunk = 65536;
// No byte of a stream past the largest image offset is ever needed, so none is copied.
constexpr int64_t largestCopied = largestImageOffset;
}  // namespace

std::unique_ptr<StreamCopy> StreamCopy::over(std::unique_ptr<SequentialInput> input) {
    std::unique_ptr<StreamCopy> source(new StreamCopy(std::move(input)));
    if (!source->copy_.create()) {
        return nullptr;
    }
    return source;
}

std::size_t StreamCopy::readAt(int64_t position, uint8_t* dest, std::size_t count) {
    if (position < 0) {
        return 0;
    }
    copyUpTo(std::min(position, largestCopied) + static_cast<int64_t>(count));
    return readCopy(position, dest, count);
}

std::size_t StreamCopy::readCopy(int64_t position, uint8_t* dest, std::size_t count) {
    if (position >= copied_) {
        return 0;
    }
    count = static_cast<std::size_t>(
        std::min<int64_t>(static_cast<int64_t>(count), copied_ - position));
    std::ifstream& from = copy_.reader();
    // A seek clears the end-of-file state left by an earlier short read.
    from.clear();
    from.seekg(static_cast<std::streamoff>(position), std::ios::beg);
    from.read(reinterpret_cast<char*>(dest), static_cast<std::streamsize>(count));
    const auto got = static_cast<std::size_t>(from.gcount());
    copyFailed_ = copyFailed_ || got < count;
    return got;
}

// Copies on until the stream has supplied `end` bytes or has no more, a chunk at
// a time, and never past the largest offset an image can use. A copy that cannot
// be written ends it there, as a stream that ended.
void StreamCopy::copyUpTo(int64_t end) {
    end = std::min(end, largestCopied);
    std::vector<uint8_t> chunk;
    while (copied_ < end && !ended_) {
        chunk.resize(copyChunk);
        const auto wanted =
            static_cast<std::size_t>(std::min<int64_t>(copyChunk, largestCopied - copied_));
        const std::size_t got = input_->read(chunk.data(), wanted);
        const bool written = copy_.append(chunk.data(), got);
        copied_ += written ? static_cast<int64_t>(got) : 0;
        ended_ = !written || got < wanted || copied_ >= largestCopied;
    }
}

PassEnd StreamCopy::passOnward(int64_t position, ByteObserver& observer) {
    std::vector<uint8_t> piece(copyChunk);
    while (position < copied_) {
        const std::size_t got = readCopy(position, piece.data(), piece.size());
        if (got == 0) {
            break;
        }
        observer.take(piece.data(), got);
        position += static_cast<int64_t>(got);
    }
    PassEnd end;
    passedOn_ = position >= copied_ ? passRest(observer) : 0;
    end.length = position >= copied_ ? copied_ + passedOn_ : position;
    // One byte more than an image can hold says that the stream went on.
    uint8_t more = 0;
    end.cutOff = end.length >= largestCopied && input_->read(&more, 1) == 1;
    end.failed = failed();
    ended_ = true;
    return end;
}

// The stream's bytes after the copy, passed on and not kept; returns how many.
int64_t StreamCopy::passRest(ByteObserver& observer) {
    int64_t passed = 0;
    std::vector<uint8_t> piece(copyChunk);
    while (!ended_ && copied_ + passed < largestCopied) {
        const auto wanted = static_cast<std::size_t>(
            std::min<int64_t>(copyChunk, largestCopied - copied_ - passed));
        const std::size_t got = input_->read(piece.data(), wanted);
        observer.take(piece.data(), got);
        passed += static_cast<int64_t>(got);
        ended_ = got < wanted;
    }
    return passed;
}
