#include "fuzz/fuzz_setup.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>


namespace fuzzsetup {

namespace {

std::FILE* findings = stderr;
std::vector<std::filesystem::path> scratchFolders;
std::size_t largestImage = 0;
constexpr char memoryBackedFolder[] = "/dev/shm";
constexpr char artifactPrefixFlag[] = "-artifact_prefix=";
constexpr char scratchVariable[] = "QUELT_FUZZ_SCRATCH";

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
    if (const char* given = std::getenv(scratchVariable)) {
        return given;
    }
    std::error_code ignored;
    return std::filesystem::is_directory(memoryBackedFolder, ignored)
               ? std::filesystem::path(memoryBackedFolder)
               : std::filesystem::temp_directory_path();
}

// A relative artifact prefix made absolute: the runs change folder, and a
// finding may be saved while they are in their work folder.
void makeArtifactPrefixAbsolute(std::vector<char*>& arguments) {
    static std::string absolute;
    const std::size_t flagLength = std::strlen(artifactPrefixFlag);
    for (char*& argument : arguments) {
        if (std::strncmp(argument, artifactPrefixFlag, flagLength) == 0 &&
            argument[flagLength] != '/') {
            absolute = artifactPrefixFlag +
                       (std::filesystem::current_path() / (argument + flagLength)).string();
            argument = absolute.data();
        }
    }
}

// Scratch folders of this name whose process has ended: a finding ends the
// process without its exit handlers, which would have removed them.
void removeStaleScratchFolders(const std::filesystem::path& parent, const std::string& name) {
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator(parent, failed)) {
        const std::string folder = entry.path().filename().string();
        const std::string prefix = name + "-";
        if (folder.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const long pid = std::strtol(folder.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }
}

}  // namespace

void prepare(int* argc, char*** argv) {
    static std::vector<std::string> added;
    if (!hasFlag(*argc, *argv, "-close_fd_mask=")) {
        added.push_back("-close_fd_mask=3");
    }
    if (!hasFlag(*argc, *argv, artifactPrefixFlag)) {
        added.push_back(artifactPrefixFlag + std::filesystem::current_path().string() + "/");
    }
    static std::vector<char*> arguments((*argv), (*argv) + *argc);
    makeArtifactPrefixAbsolute(arguments);
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
    const std::filesystem::path parent = scratchParent();
    removeStaleScratchFolders(parent, name);
    std::string pattern =
        (parent / (name + "-" + std::to_string(getpid()) + "-XXXXXX")).string();
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

// FNV-1a over the size and the first bytes: enough to tell inputs apart, and
// quick on an image of many MiB.
uint32_t sampleOf(const uint8_t* data, std::size_t size, uint32_t choices, uint32_t salt) {
    constexpr std::size_t hashedBytes = 4096;
    uint32_t hash = ((2166136261u ^ salt) * 16777619u ^ static_cast<uint32_t>(size)) * 16777619u;
    for (std::size_t i = 0; i < size && i < hashedBytes; ++i) {
        hash = (hash ^ data[i]) * 16777619u;
    }
    // FNV's low bits follow the last bytes closely; mix the high ones in.
    hash ^= hash >> 16;
    hash *= 0x45d9f3bu;
    hash ^= hash >> 16;
    return hash % choices;
}

}  // namespace fuzzsetup

// Memory freed by a run stays mapped for the next inputs. AddressSanitizer's
// default gives it back to the system every few seconds, and each block taken
// again then faults in afresh, page by page: on this machine a fault costs about
// ten microseconds, more than many inputs' whole run. What the sanitizer finds
// is unchanged.
extern "C" const char* __asan_default_options() {
    return "allocator_release_to_os_interval_ms=-1";
}
