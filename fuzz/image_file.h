// The image file a fuzz target's runs read, kept from one input to the next:
// each image rewrites only the part from its first page that differs from the
// last one, so that a large image in memory-backed space keeps its pages and
// most of its bytes. Fuzz targets may use POSIX (they run on Linux only).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace fuzzsetup {

class ImageFile {
public:
    explicit ImageFile(std::filesystem::path path = {});
    ~ImageFile();
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;
    ImageFile(ImageFile&& other) noexcept;
    ImageFile& operator=(ImageFile&& other) noexcept;

    // Makes the file hold exactly these bytes; a write that fails is a finding.
    void write(const uint8_t* data, std::size_t size);
    const std::filesystem::path& path() const { return path_; }

private:
    std::size_t firstChangedPage(const uint8_t* data, std::size_t size) const;

    std::filesystem::path path_;
    int descriptor_ = -1;
    std::vector<uint8_t> written_;
};

}  // namespace fuzzsetup
