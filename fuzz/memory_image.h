// The image every run of a fuzz target reads: the input's bytes in memory, given
// to the programs under one name through their own opening code (as a
// D88Image's path opener, image/d88_image_seam.h, and as the companions'
// opener), read as a file or as a stream through its temporary copy. No file
// is written for an input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "image/file_source.h"

namespace fuzzsetup {

// The name the runs open the image by.
constexpr char imageName[] = "image.d88";

class MemoryImage : public SourceOpener {
public:
    // The bytes the next runs read, kept by the caller meanwhile; as a stream
    // when `asStream`.
    void set(const uint8_t* data, std::size_t size, bool asStream = false);
    // The image for imageName; no file by any other name.
    std::unique_ptr<ByteSource> open(const char* path) override;

private:
    const uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool asStream_ = false;
};

// The one image of the target, which the runs are given to open their images.
MemoryImage& memoryImage();

}  // namespace fuzzsetup
