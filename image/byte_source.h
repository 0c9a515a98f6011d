#ifndef QUELT_IMAGE_BYTE_SOURCE_H
#define QUELT_IMAGE_BYTE_SOURCE_H

#include <cstddef>
#include <cstdint>

// An image names its positions by signed 32-bit offsets: none lies past this one.
constexpr int64_t largestImageOffset = 0x7FFFFFFF;

// Takes the bytes of a source in order, each once, from its first byte on: what
// a program learns of the bytes as a whole (their hashes) comes through one.
class ByteObserver {
public:
    virtual ~ByteObserver() = default;
    virtual void take(const uint8_t* bytes, std::size_t count) = 0;
};

// How a pass over a source to its end went: the length it found, whether the
// source held more than an image can (a stream longer than largestImageOffset,
// read no further), and whether a read failed, which ends the pass there.
struct PassEnd {
    int64_t length = 0;
    bool cutOff = false;
    bool failed = false;
};

// Where an image's bytes come from, read by position: a file, a stream's
// temporary copy, an archive member's copy, or bytes in memory. The one reader
// of an image (FileReader) reads only through its source, and a program learns
// the length and the hashes of the bytes from the same source, so that no image
// is ever opened twice.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Copies up to `count` bytes from `position` into `dest`; returns how many
    // the source holds there (fewer only at its end, or when a read failed).
    virtual std::size_t readAt(int64_t position, uint8_t* dest, std::size_t count) = 0;
    // The length, when it is known without reading on; -1 for a stream not
    // yet read to its end.
    virtual int64_t knownLength() const = 0;
    // Whether a read failed (and did not merely meet the end).
    virtual bool failed() const = 0;
    // Feeds `observer` every byte from `position` to the end, in order, and
    // says where the end is. The source's last use: a stream's bytes past its
    // copy are passed on, not kept.
    virtual PassEnd passOnward(int64_t position, ByteObserver& observer);
};

// A source over `count` bytes at `bytes`, which the caller keeps, unchanged,
// while the source is used: the tests' and fuzz targets' images.
class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* bytes, std::size_t count) : bytes_(bytes), count_(count) {}
    std::size_t readAt(int64_t position, uint8_t* dest, std::size_t count) override;
    int64_t knownLength() const override { return static_cast<int64_t>(count_); }
    bool failed() const override { return false; }

private:
    const uint8_t* bytes_;
    std::size_t count_;
};

#endif
