#include "fuzz/fuzz_setup.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "support/d88_builder.h"

namespace fuzzsetup {

namespace {

std::FILE* findings = stderr;
std::vector<std::filesystem::path> scratchFolders;
std::size_t largestImage = 0;
constexpr char memoryBackedFolder[] = "/dev/shm";

bool hasFlag(int argc, char** argv, const char* flag) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) {
            return true;
        }
    }
    return false;
}

void removeScratchFolders() {
    for (const std::filesystem::path& folder : scratchFolders) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

void printLargestImage() {
    std::fprintf(findings, "stat::largest_image_bytes: %zu\n", largestImage);
    std::fflush(findings);
}

std::filesystem::path scratchParent() {
    std::error_code ignored;
    return std::filesystem::is_directory(memoryBackedFolder, ignored)
               ? std::filesystem::path(memoryBackedFolder)
               : std::filesystem::temp_directory_path();
}

}  // namespace

void prepare(int* argc, char*** argv) {
    static std::vector<std::string> added;
    if (!hasFlag(*argc, *argv, "-close_fd_mask=")) {
        added.push_back("-close_fd_mask=3");
    }
    if (!hasFlag(*argc, *argv, "-artifact_prefix=")) {
        added.push_back("-artifact_prefix=" + std::filesystem::current_path().string() + "/");
    }
    static std::vector<char*> arguments((*argv), (*argv) + *argc);
    for (std::string& flag : added) {
        arguments.push_back(flag.data());
    }
    arguments.push_back(nullptr);
    *argc = static_cast<int>(arguments.size()) - 1;
    *argv = arguments.data();
    // libFuzzer closes standard error only after this returns.
    if (std::FILE* copy = fdopen(dup(STDERR_FILENO), "w")) {
        findings = copy;
    }
    std::atexit(printLargestImage);
}

void fail(const std::string& what) {
    std::fprintf(findings, "==FINDING== %s\n", what.c_str());
    std::fflush(findings);
    std::abort();
}

std::filesystem::path makeScratchFolder(const std::string& name) {
    std::string pattern = (scratchParent() / (name + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        fail("cannot make a scratch folder from " + pattern);
    }
    const std::filesystem::path folder = pattern;
    if (scratchFolders.empty()) {
        std::atexit(removeScratchFolders);
    }
    scratchFolders.push_back(folder);
    return folder;
}

void noteImageSize(std::size_t bytes) {
    if (bytes > largestImage) {
        largestImage = bytes;
        printLargestImage();
    }
}

void writeInput(const std::filesystem::path& path, const uint8_t* data, std::size_t size) {
    if (!d88build::writeFile(path.string(), data, size)) {
        fail("cannot write the input to " + path.string());
    }
}

}  // namespace fuzzsetup
