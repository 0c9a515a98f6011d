#include "fuzz/warm_up.h"

#include <fcntl.h>
#include <sanitizer/common_interface_defs.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_setup.h"
#include "fuzz/image_checks.h"
#include "fuzz/memory_image.h"
#include "fuzz/program_runs.h"
#include "image/d88_image.h"
#include "samples/d88_builder.h"
#include "samples/sample_set.h"
#include "tool/writers/disk_image.h"

namespace fuzzsetup {

namespace {

constexpr uint16_t longestRecordData = 0xFFFF;
constexpr int32_t copiedDisks = 3;
constexpr int32_t firstCopiedDisk = 1;

// The sample set, then a disk whose first track holds a record of the longest
// data, over which the sweep's ring grows to its longest.
d88build::Bytes warmUpImage() {
    d88build::Disk longRecords(1);
    d88build::Record record;
    record.r = d88build::kFirstSector;
    record.sectorCount = 1;
    record.data.assign(longestRecordData, 0);
    longRecords.track(0) = {record};
    const d88build::Bytes set = d88build::sampleImage();
    return d88build::concat({set, longRecords.bytes()});
}

// The programs' output goes to the null device while it lives, as libFuzzer
// sends it once it runs; the sanitizers report on a copy of standard error.
class QuietOutput {
public:
    QuietOutput() : output_(dup(STDOUT_FILENO)), errors_(dup(STDERR_FILENO)) {
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(errors_)));
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        close(null);
    }
    ~QuietOutput() {
        std::fflush(stdout);
        std::fflush(stderr);
        dup2(output_, STDOUT_FILENO);
        dup2(errors_, STDERR_FILENO);
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(STDERR_FILENO)));
        close(output_);
        close(errors_);
    }
    QuietOutput(const QuietOutput&) = delete;
    QuietOutput& operator=(const QuietOutput&) = delete;

private:
    int output_;
    int errors_;
};

void runPrograms(const std::string& path) {
    fuzzruns::takeOutputs(fuzzruns::runQuelt(path));
    fuzzruns::takeOutputs(fuzzruns::runLister(path));
    for (int32_t disk = firstCopiedDisk; disk < firstCopiedDisk + copiedDisks; ++disk) {
        fuzzruns::takeOutputs(fuzzruns::runCopier(path, disk));
        fuzzruns::takeOutputs(fuzzruns::runCopier(path, disk, "startup", "-"));
    }
}

}  // namespace

void warmUp() {
    const d88build::Bytes image = warmUpImage();
    const QuietOutput quiet;
    fuzzruns::queltOutputNames();
    for (const bool swept : {true, false}) {
        memoryImage().set(image.data(), image.size(), !swept);
        fuzzchecks::setLimits(diskImage, swept);
        runPrograms(imageName);
        fuzzchecks::checkImage(image, D88Image::maxDisks, swept);
    }
}

void startTarget(int* argc, char*** argv, const std::string& name) {
    prepare(argc, argv);
    // A stream's temporary copy goes into memory-backed space too.
    setenv("TMPDIR", makeScratchFolder(name).c_str(), 1);
    warmUp();
}

}  // namespace fuzzsetup
