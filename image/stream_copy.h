#ifndef QUELT_IMAGE_STREAM_COPY_H
#define QUELT_IMAGE_STREAM_COPY_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "image/byte_source.h"
#include "image/temporary_copy.h"

// Bytes that come one after the other and cannot be read again: a pipe, a FIFO,
// standard input, an archive member as it is unpacked.
class SequentialInput {
public:
    virtual ~SequentialInput() = default;
    // Reads up to `count` bytes into `dest`; fewer only at the end or when
    // reading failed.
    virtual std::size_t read(uint8_t* dest, std::size_t count) = 0;
    virtual bool failed() const = 0;
};

// The one way a stream becomes a source that reads by position: its bytes are
// copied from its start into a temporary file (temporary_copy.h) as far as the
// reads reach, and read back from there, so that it answers exactly as the
// same bytes in a file would, in the same memory. No byte past the largest
// image offset is ever copied: a longer stream is cut off there. A copy that
// cannot be written ends the stream where it stops.
class StreamCopy : public ByteSource {
public:
    // A source over `input`; null when no temporary file can be made.
    static std::unique_ptr<StreamCopy> over(std::unique_ptr<SequentialInput> input);

    std::size_t readAt(int64_t position, uint8_t* dest, std::size_t count) override;
    int64_t knownLength() const override { return ended_ ? copied_ + passedOn_ : -1; }
    bool failed() const override { return input_->failed() || copyFailed_; }
    // The copy's bytes from `position`, then the stream's that were never
    // copied, read on to the stream's end without being kept.
    PassEnd passOnward(int64_t position, ByteObserver& observer) override;

private:
    explicit StreamCopy(std::unique_ptr<SequentialInput> input) : input_(std::move(input)) {}
    void copyUpTo(int64_t end);
    std::size_t readCopy(int64_t position, uint8_t* dest, std::size_t count);
    int64_t passRest(ByteObserver& observer);

    std::unique_ptr<SequentialInput> input_;
    TemporaryCopy copy_;
    int64_t copied_ = 0;
    int64_t passedOn_ = 0;     // read by a pass past the copy, not kept
    bool ended_ = false;       // the stream has no more bytes to copy
    bool copyFailed_ = false;  // reading the copy back failed
};

#endif
