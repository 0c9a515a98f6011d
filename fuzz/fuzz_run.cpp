// libFuzzer target: arbitrary bytes as the image of a whole run of the tool (both
// passes, every writer), in a scratch folder, twice: once as a file and once as
// a stream through a pipe. Besides crashes, sanitizer reports and slow inputs, a
// run that returns a status other than 0 or 1, leaves any file but the 23 it may
// write, or writes outside its folder is a finding, and so is a stream run whose
// status or files differ from the file run's.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <thread>

#include "fuzz/fuzz_setup.h"
#include "tool/disk_image.h"
#include "tool/run.h"

namespace {

namespace fs = std::filesystem;

constexpr char imageName[] = "image.d88";
constexpr char workName[] = "work";

// Every file a run may write, all in the current folder.
const std::set<std::string>& outputNames() {
    static const std::set<std::string> names = [] {
        std::set<std::string> all = {"opdrv", "opmus", "opefc", "edmus", "fmdriver", "sud_data"};
        for (int piece = 0; piece < 18; ++piece) {
            all.insert((piece < 10 ? "mus0" : "mus") + std::to_string(piece));
        }
        return all;
    }();
    return names;
}

fs::path scratch;  // holds only the work folder, so that a write outside it shows
fs::path work;

int runOn(const std::string& path) {
    const fs::path before = fs::current_path();
    fs::current_path(work);
    char program[] = "quelt";
    std::string image = path;
    char* argv[] = {program, image.data(), nullptr};
    const int status = runQuelt(2, argv);
    diskImage.open(nullptr);
    fs::current_path(before);
    return status;
}

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
    const int status = runOn("/dev/fd/" + std::to_string(ends[0]));
    close(ends[0]);
    writer.join();
    return status;
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Checks what the run left and takes it out of the work folder for the next run.
std::map<std::string, std::string> takeOutputs(int status) {
    if (status != 0 && status != 1) {
        fuzzsetup::fail("the run ended with status " + std::to_string(status));
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(scratch)) {
        if (entry.path().filename() != workName) {
            fuzzsetup::fail("the run wrote outside its folder: " + entry.path().string());
        }
    }
    std::map<std::string, std::string> outputs;
    for (const fs::directory_entry& entry : fs::directory_iterator(work)) {
        const std::string name = entry.path().filename().string();
        if (name == imageName) {
            continue;
        }
        if (outputNames().count(name) == 0 || !fs::is_regular_file(entry.symlink_status())) {
            fuzzsetup::fail("the run left an unexpected output: " + name);
        }
        outputs[name] = contents(entry.path());
        fs::remove(entry.path());
    }
    outputs["(status)"] = std::to_string(status);
    return outputs;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsetup::prepare(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    scratch = fuzzsetup::makeScratchFolder("quelt-fuzz-run");
    work = scratch / workName;
    fs::create_directory(work);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzzsetup::writeInput(work / imageName, data, size);
    const auto fromFile = takeOutputs(runOn(imageName));
    fs::remove(work / imageName);
    if (takeOutputs(runOnStream(data, size)) != fromFile) {
        fuzzsetup::fail("the image read as a stream gave other outputs than the file");
    }
    return 0;
}
