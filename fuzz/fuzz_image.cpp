// libFuzzer target: arbitrary bytes as an image for D88Image and the disks' file
// system alone, read from memory and checked against a plain walk
// (fuzz/image_checks.h); and, for one input in archiveSample, the archive mode
// (fuzz/archive_mode.h): the bytes as a fuzzed archive around a fuzzed image,
// listed by quelt-ls.
#include <cstddef>
#include <cstdint>

#include "fuzz/archive_mode.h"
#include "fuzz/fuzz_setup.h"
#include "fuzz/image_checks.h"
#include "fuzz/warm_up.h"
#include "image/d88_image.h"

namespace {
constexpr uint32_t archiveSample = 16;
constexpr uint32_t archiveSalt = 3;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsetup::startTarget(argc, argv, "quelt-fuzz-image");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzzsetup::noteImageSize(size);
    if (fuzzsetup::inSample(data, size, archiveSample, archiveSalt)) {
        fuzzarchives::listArchive(data, size);
        return 0;
    }
    fuzzchecks::checkImage(fuzzchecks::Bytes(data, data + size), D88Image::maxDisks,
                           fuzzchecks::sweptInput(data, size));
    return 0;
}
