// The pass every source shares, and bytes in memory as a source.
#include "image/byte_source.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
// A pass reads in pieces of this size; a stream past its copy too.
constexpr std::size_t passPiece = std::size_t{1} << 20;
}  // namespace

PassEnd ByteSource::passOnward(int64_t position, ByteObserver& observer) {
    std::unique_ptr<uint8_t[]> piece(new uint8_t[passPiece]);
    PassEnd end;
    for (;;) {
        const std::size_t got = readAt(position, piece.get(), passPiece);
        observer.take(piece.get(), got);
        position += static_cast<int64_t>(got);
        if (got < passPiece) {
            break;
        }
    }
    end.length = position;
    end.failed = failed();
    return end;
}

std::size_t MemorySource::readAt(int64_t position, uint8_t* dest, std::size_t count) {
    if (position < 0 || static_cast<uint64_t>(position) >= count_) {
        return 0;
    }
    const auto from = static_cast<std::size_t>(position);
    const std::size_t length = std::min(count, count_ - from);
    std::memcpy(dest, bytes_ + from, length);
    return length;
}
