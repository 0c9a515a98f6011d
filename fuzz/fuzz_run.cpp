// libFuzzer target: arbitrary bytes as the image of a whole run of the tool (both
// passes, every writer), read from memory, its files kept in memory too
// (fuzz/captured_outputs.h). Besides crashes, sanitizer reports and slow inputs,
// a run that returns a status other than 0 or 1, writes any file but the 24 it
// may write, or writes outside its folder is a finding. One input in
// streamSample is also run as a stream, read through its temporary copy as a
// pipe would be, and a stream run whose status or files differ from the file
// run's is a finding too; which inputs is decided by their bytes, so that a
// finding reproduces.
#include <cstddef>
#include <cstdint>

#include "fuzz/captured_outputs.h"
#include "fuzz/fuzz_setup.h"
#include "fuzz/image_checks.h"
#include "fuzz/memory_image.h"
#include "fuzz/program_runs.h"
#include "fuzz/warm_up.h"
#include "tool/writers/disk_image.h"

namespace {
constexpr uint32_t streamSample = 8;
constexpr uint32_t streamSalt = 1;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsetup::startTarget(argc, argv, "quelt-fuzz-run");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzzsetup::noteImageSize(size);
    const bool streamToo = fuzzsetup::inSample(data, size, streamSample, streamSalt);
    fuzzchecks::setLimits(diskImage, fuzzchecks::sweptInput(data, size));
    fuzzsetup::memoryImage().set(data, size);
    fuzzruns::keepOutputBytes(streamToo);
    const fuzzruns::Outputs fromFile =
        fuzzruns::takeOutputs(fuzzruns::runQuelt(fuzzsetup::imageName));
    fuzzruns::checkQueltOutputs(fromFile);
    if (streamToo) {
        fuzzsetup::memoryImage().set(data, size, true);
        if (fuzzruns::takeOutputs(fuzzruns::runQuelt(fuzzsetup::imageName)) != fromFile) {
            fuzzsetup::fail("the image read as a stream gave other outputs than the file");
        }
    }
    return 0;
}
