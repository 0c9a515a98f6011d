#ifndef QUELT_COMMON_WORK_BUFFER_H
#define QUELT_COMMON_WORK_BUFFER_H

#include <cstddef>
#include <cstdint>

// Sector runs and loaded files land at the start of this buffer and the writers
// take their bytes from it. Its contents persist between operations: what a read
// did not overwrite keeps its earlier value. quelt's and quelt-cp's; quelt-ls,
// which lists files on several threads, loads into buffers of this size of its
// own.
constexpr std::size_t workBufferSize = 524288;
constexpr int32_t workBufferBytes = static_cast<int32_t>(workBufferSize);  // for byte counts
extern uint8_t workBuffer[workBufferSize];

// How many of the `size` bytes at `offset` lie inside workBuffer: a slice is
// written only as far as the buffer holds it.
inline int32_t bytesInsideWorkBuffer(int32_t offset, int32_t size) {
    if (offset < 0 || size <= 0 || offset >= workBufferBytes) {
        return 0;
    }
    return size < workBufferBytes - offset ? size : workBufferBytes - offset;
}

#endif
