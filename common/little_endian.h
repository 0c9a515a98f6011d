#ifndef QUELT_COMMON_LITTLE_ENDIAN_H
#define QUELT_COMMON_LITTLE_ENDIAN_H

#include <cstdint>

// Every multi-byte number in an image and on the game disks is little-endian;
// assembling it byte by byte keeps the reading independent of the host.
inline uint16_t readLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t readLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The same 32-bit field read as the signed number the image format holds.
inline int32_t readLe32Signed(const uint8_t* p) {
    uint32_t value = readLe32(p);
    return value <= 0x7FFFFFFFu ? static_cast<int32_t>(value)
                                : -static_cast<int32_t>(~value) - 1;
}

#endif
