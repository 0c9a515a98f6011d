// libFuzzer target: arbitrary bytes as the image file of a whole run of the tool
// (both passes, every writer), in a scratch folder. Besides crashes, sanitizer
// reports and slow inputs, a run that returns a status other than 0 or 1, or
// leaves any file but the 23 it may write, or writes outside its folder, is a
// finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

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

int runOnImage() {
    const fs::path before = fs::current_path();
    fs::current_path(work);
    char program[] = "quelt";
    char image[sizeof imageName];
    std::copy(imageName, imageName + sizeof imageName, image);
    char* argv[] = {program, image, nullptr};
    const int status = runQuelt(2, argv);
    diskImage.open(nullptr);
    fs::current_path(before);
    return status;
}

// Checks what the run left, and clears the work folder for the next input.
void checkAndClearOutputs() {
    for (const fs::directory_entry& entry : fs::directory_iterator(scratch)) {
        if (entry.path().filename() != workName) {
            fuzzsetup::fail("the run wrote outside its folder: " + entry.path().string());
        }
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(work)) {
        const std::string name = entry.path().filename().string();
        if (name == imageName) {
            continue;
        }
        if (outputNames().count(name) == 0 || !fs::is_regular_file(entry.symlink_status())) {
            fuzzsetup::fail("the run left an unexpected output: " + name);
        }
        fs::remove(entry.path());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsetup::prepare(argc, argv);
    scratch = fuzzsetup::makeScratchFolder("quelt-fuzz-run");
    work = scratch / workName;
    fs::create_directory(work);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzzsetup::writeInput(work / imageName, data, size);
    const int status = runOnImage();
    if (status != 0 && status != 1) {
        fuzzsetup::fail("the run ended with status " + std::to_string(status));
    }
    checkAndClearOutputs();
    return 0;
}
