// libFuzzer target: arbitrary bytes as an image file for D88Image and the disks'
// file system alone, checked against a plain walk (fuzz/image_checks.h).
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_setup.h"
#include "fuzz/image_checks.h"
#include "fuzz/image_file.h"
#include "fuzz/warm_up.h"
#include "image/d88_image.h"

namespace {
fuzzsetup::ImageFile imageFile;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    imageFile = fuzzsetup::startTarget(argc, argv, "quelt-fuzz-image");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzzsetup::noteImageSize(size);
    imageFile.write(data, size);
    fuzzchecks::checkImage(imageFile.path().string(), fuzzchecks::Bytes(data, data + size),
                           D88Image::maxDisks, fuzzchecks::sweptInput(data, size));
    return 0;
}
