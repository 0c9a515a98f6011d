// libFuzzer target: arbitrary bytes as the image of a whole run of the tool (both
// passes, every writer), in a scratch folder in memory-backed space. Besides
// crashes, sanitizer reports and slow inputs, a run that returns a status other
// than 0 or 1, leaves any file but the 24 it may write, or writes outside its
// folder is a finding. One input in streamSample is also run as a stream
// through a pipe, and a stream run whose status or files differ from the file
// run's is a finding too; which inputs is decided by their bytes, so that a
// finding reproduces.
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

#include "fuzz/fuzz_setup.h"
#include "fuzz/image_checks.h"
#include "fuzz/image_file.h"
#include "fuzz/program_runs.h"
#include "tool/disk_image.h"

namespace {

constexpr uint32_t streamSample = 8;
constexpr uint32_t streamSalt = 1;

fuzzruns::RunFolders folders;
fuzzsetup::ImageFile imageFile;

// The same run with the bytes coming through a pipe. The writer stops when the
// run has closed the pipe without reading all of it (SIGPIPE is ignored).
int runOnStream(const uint8_t* data, std::size_t size) {
    int ends[2];
    if (pipe(ends) != 0) {
        fuzzsetup::fail("cannot make a pipe");
    }
    std::thread writer([&] {
        for (std::size_t done = 0; done < size;) {
            const ssize_t wrote = write(ends[1], data + done, size - done);
            if (wrote <= 0) {
                break;
            }
            done += static_cast<std::size_t>(wrote);
        }
        close(ends[1]);
    });
    const int status = fuzzruns::runQuelt(folders, "/dev/fd/" + std::to_string(ends[0]));
    close(ends[0]);
    writer.join();
    return status;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsetup::prepare(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    folders = fuzzruns::makeRunFolders("quelt-fuzz-run");
    imageFile = fuzzsetup::ImageFile(folders.work / fuzzruns::imageName);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzzsetup::noteImageSize(size);
    const bool streamToo = fuzzsetup::inSample(data, size, streamSample, streamSalt);
    // The run's image sweeps at once or soon: tracks of tens of thousands of
    // records, read record by record as far as the default limits let them, cost
    // most of an input under the sanitizers (fuzz_image checks that reading).
    diskImage.setRecordLimits(fuzzsetup::inSample(data, size, fuzzchecks::sweptSample)
                                  ? fuzzchecks::sweepAtOnce
                                  : fuzzchecks::sweepSoon);
    imageFile.write(data, size);
    const fuzzruns::Outputs fromFile = fuzzruns::takeOutputs(
        folders, fuzzruns::runQuelt(folders, fuzzruns::imageName), streamToo);
    fuzzruns::checkQueltOutputs(fromFile);
    if (streamToo && fuzzruns::takeOutputs(folders, runOnStream(data, size), true) != fromFile) {
        fuzzsetup::fail("the image read as a stream gave other outputs than the file");
    }
    return 0;
}
