// What every fuzz target sets up once: the tool's own output kept out of
// libFuzzer's log, a stream for the targets' own findings, a scratch folder in
// memory-backed space, and the largest image run, for the report.
// Fuzz targets run on Linux under clang only; unlike the tool they may use POSIX.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace fuzzsetup {

// Called from LLVMFuzzerInitialize, before libFuzzer reads its flags. Adds
// -close_fd_mask=3 (the tool's standard output and error go to the null device;
// libFuzzer keeps a copy of standard error for its own log and the sanitizers'
// reports) and -artifact_prefix=<current folder>/ (the runs change folder), each
// unless the command line gives it; a relative prefix given is made absolute.
// Opens the findings stream on that copy.
void prepare(int* argc, char*** argv);

// Reports a finding of the target's own checks and aborts, so that libFuzzer
// saves the input that caused it.
[[noreturn]] void fail(const std::string& what);

// A fresh empty folder of this process, NAME-PID-XXXXXX made by mkdtemp in the
// folder QUELT_FUZZ_SCRATCH names, else in /dev/shm when the machine has it,
// else under the system's temporary folder; removed at exit. Folders of the same name left by processes that have ended
// are removed first.
std::filesystem::path makeScratchFolder(const std::string& name);

// Remembers the size of an image a run read. Each new largest one is printed as
// "stat::largest_image_bytes: N" at once, since a finding ends the process
// without its exit handlers, and again at exit after libFuzzer's statistics.
void noteImageSize(std::size_t bytes);

// Which of `choices` samples the input falls in, by a hash of its size and
// first bytes: the same input always falls alike, so that a finding
// reproduces. Samples of different salts fall independently.
uint32_t sampleOf(const uint8_t* data, std::size_t size, uint32_t choices, uint32_t salt = 0);
inline bool inSample(const uint8_t* data, std::size_t size, uint32_t oneIn, uint32_t salt = 0) {
    return sampleOf(data, size, oneIn, salt) == 0;
}

}  // namespace fuzzsetup
