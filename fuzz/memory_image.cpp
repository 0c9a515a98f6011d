#include "fuzz/memory_image.h"

#include <algorithm>
#include <cstring>

#include "image/stream_copy.h"
#include "tool/writers/disk_image.h"

namespace fuzzsetup {

namespace {
// The bytes as a stream gives them: in pieces, never more than asked.
class MemoryStream : public SequentialInput {
public:
    MemoryStream(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t read(uint8_t* dest, std::size_t count) override {
        const std::size_t got = std::min(count, size_ - at_);
        std::memcpy(dest, data_ + at_, got);
        at_ += got;
        return got;
    }
    bool failed() const override { return false; }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};
}  // namespace

void MemoryImage::set(const uint8_t* data, std::size_t size, bool asStream) {
    data_ = data;
    size_ = size;
    asStream_ = asStream;
}

std::unique_ptr<ByteSource> MemoryImage::open(const char* path) {
    if (std::strcmp(path, imageName) != 0) {
        return nullptr;
    }
    if (asStream_) {
        return StreamCopy::over(std::unique_ptr<SequentialInput>(new MemoryStream(data_, size_)));
    }
    return std::unique_ptr<ByteSource>(new MemorySource(data_, size_));
}

MemoryImage& memoryImage() {
    static MemoryImage image;
    return image;
}

}  // namespace fuzzsetup
