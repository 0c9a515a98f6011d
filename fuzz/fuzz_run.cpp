// libFuzzer target: arbitrary bytes as the image of a whole run of the tool (both
// passes, every writer), its files kept in memory (fuzz/captured_outputs.h).
// Besides crashes, sanitizer reports and slow inputs, a run that returns a status
// other than 0 or 1, writes any file but the 24 it may write, or writes outside
// its folder is a finding. One input in streamSample is also run as a stream
// through a pipe, and a stream run whose status or files differ from the file
// run's is a finding too; which inputs is decided by their bytes, so that a
// finding reproduces.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>

#include "fuzz/captured_outputs.h"
#include "fuzz/fuzz_setup.h"
#include "fuzz/image_checks.h"
#include "fuzz/image_file.h"
#include "fuzz/program_runs.h"
#include "fuzz/warm_up.h"
#include "tool/writers/disk_image.h"

namespace {

constexpr uint32_t streamSample = 8;
constexpr uint32_t streamSalt = 1;

fuzzsetup::ImageFile imageFile;

// Writes the bytes into the pipe before the run when it can be made to hold them
// (a thread per run costs more than a quick run), else from a thread while the
// run reads. Either way the run sees them end; a run that closes the pipe
// without reading all of them stops the thread's writing (SIGPIPE is ignored).
void writeAll(int into, const uint8_t* data, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        const ssize_t wrote = write(into, data + done, size - done);
        if (wrote <= 0) {
            break;
        }
        done += static_cast<std::size_t>(wrote);
    }
    close(into);
}

// The same run with the bytes coming through a pipe.
int runOnStream(const uint8_t* data, std::size_t size) {
    int ends[2];
    if (pipe(ends) != 0) {
        fuzzsetup::fail("cannot make a pipe");
    }
    std::thread writer;
    const int held = fcntl(ends[1], F_SETPIPE_SZ, static_cast<int>(std::min<std::size_t>(
                                                      size, std::numeric_limits<int>::max())));
    if (held >= 0 && static_cast<std::size_t>(held) >= size) {
        writeAll(ends[1], data, size);
    } else {
        writer = std::thread(writeAll, ends[1], data, size);
    }
    const int status = fuzzruns::runQuelt("/dev/fd/" + std::to_string(ends[0]));
    close(ends[0]);
    if (writer.joinable()) {
        writer.join();
    }
    return status;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    imageFile = fuzzsetup::startTarget(argc, argv, "quelt-fuzz-run");
    std::signal(SIGPIPE, SIG_IGN);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzzsetup::noteImageSize(size);
    const bool streamToo = fuzzsetup::inSample(data, size, streamSample, streamSalt);
    fuzzchecks::setLimits(diskImage, fuzzchecks::sweptInput(data, size));
    imageFile.write(data, size);
    fuzzruns::keepOutputBytes(streamToo);
    const fuzzruns::Outputs fromFile =
        fuzzruns::takeOutputs(fuzzruns::runQuelt(imageFile.path().string()));
    fuzzruns::checkQueltOutputs(fromFile);
    if (streamToo && fuzzruns::takeOutputs(runOnStream(data, size)) != fromFile) {
        fuzzsetup::fail("the image read as a stream gave other outputs than the file");
    }
    return 0;
}
