#include "fuzz/image_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "fuzz/fuzz_setup.h"

namespace fuzzsetup {

namespace {
constexpr std::size_t pageSize = 4096;
constexpr int fileMode = 0600;
}  // namespace

ImageFile::ImageFile(std::filesystem::path path) : path_(std::move(path)) {
    if (!path_.empty()) {
        descriptor_ = open(path_.c_str(), O_RDWR | O_CREAT | O_TRUNC, fileMode);
        if (descriptor_ < 0) {
            fail("cannot create the image file " + path_.string());
        }
    }
}

ImageFile::~ImageFile() {
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

ImageFile::ImageFile(ImageFile&& other) noexcept
    : path_(std::move(other.path_)),
      descriptor_(std::exchange(other.descriptor_, -1)),
      written_(std::move(other.written_)) {}

ImageFile& ImageFile::operator=(ImageFile&& other) noexcept {
    std::swap(path_, other.path_);
    std::swap(descriptor_, other.descriptor_);
    std::swap(written_, other.written_);
    return *this;
}

std::size_t ImageFile::firstChangedPage(const uint8_t* data, std::size_t size) const {
    const std::size_t common = std::min(size, written_.size());
    std::size_t at = 0;
    while (at < common) {
        const std::size_t length = std::min(pageSize, common - at);
        if (std::memcmp(data + at, written_.data() + at, length) != 0) {
            break;
        }
        at += length;
    }
    return at;
}

void ImageFile::write(const uint8_t* data, std::size_t size) {
    const std::size_t from = firstChangedPage(data, size);
    for (std::size_t done = from; done < size;) {
        const ssize_t wrote = pwrite(descriptor_, data + done, size - done,
                                     static_cast<off_t>(done));
        if (wrote <= 0) {
            fail("cannot write the image to " + path_.string());
        }
        done += static_cast<std::size_t>(wrote);
    }
    if (ftruncate(descriptor_, static_cast<off_t>(size)) != 0) {
        fail("cannot set the size of " + path_.string());
    }
    written_.resize(size);
    std::copy(data + from, data + size, written_.begin() + static_cast<std::ptrdiff_t>(from));
}

}  // namespace fuzzsetup
