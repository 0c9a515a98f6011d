#include "fuzz/program_runs.h"

#include <algorithm>
#include <vector>

#include "copier/copy_files.h"
#include "fuzz/captured_outputs.h"
#include "fuzz/fuzz_setup.h"
#include "fuzz/memory_image.h"
#include "joiner/join_run.h"
#include "lister/list_image.h"
#include "tool/writers/damage_report.h"
#include "tool/writers/disk_image.h"
#include "tool/run/run.h"

namespace fuzzruns {

namespace {

constexpr int musicPieces = 18;

// Runs `program` with these arguments, and closes the image it opened.
template <typename Program>
int runWith(Program program, std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const int status = program(static_cast<int>(arguments.size()), argv.data());
    diskImage.open(nullptr);
    return status;
}

}  // namespace

const std::set<std::string>& queltOutputNames() {
    static const std::set<std::string> names = [] {
        std::set<std::string> all = {"opdrv", "opmus", "opefc", "edmus", "fmdriver", "sud_data"};
        for (int piece = 0; piece < musicPieces; ++piece) {
            all.insert((piece < 10 ? "mus0" : "mus") + std::to_string(piece));
        }
        return all;
    }();
    return names;
}

int runQuelt(const std::string& image) {
    const auto quelt = [](int argc, char** argv) {
        static CapturedOutputFiles files;
        return ::runQuelt(argc, argv, files, &fuzzsetup::memoryImage());
    };
    return runWith(quelt, {"quelt", image});
}

int runLister(const std::string& image, const char* option) {
    const auto lister = [](int argc, char** argv) {
        return listImage(argc, argv, &fuzzsetup::memoryImage());
    };
    if (option != nullptr) {
        return runWith(lister, {"quelt-ls", option, image});
    }
    return runWith(lister, {"quelt-ls", image});
}

int runCopier(const std::string& image, int32_t disk,
              const char* name, const char* output) {
    // The copier, unlike quelt's run, starts from the state a fresh process has.
    clearGameFsTables();
    clearDamage();
    std::vector<std::string> arguments = {"quelt-cp", image, std::to_string(disk)};
    if (name != nullptr) {
        arguments.push_back(name);
    }
    if (output != nullptr) {
        arguments.push_back(output);
    }
    return runWith(
        [](int argc, char** argv) {
            static CapturedCopies copies;
            return runCopy(argc, argv, copies, &fuzzsetup::memoryImage());
        },
        arguments);
}

int runJoiner(const std::string& image, bool set) {
    std::vector<std::string> arguments = {"quelt-join", "-o", joinedName, image};
    if (set) {
        arguments.insert(arguments.begin() + 1, "--set");
    }
    return runWith(
        [](int argc, char** argv) {
            static CapturedCopies copies;
            return joinImages(argc, argv, copies, &fuzzsetup::memoryImage());
        },
        arguments);
}

Outputs takeOutputs(int status) {
    if (status != 0 && status != 1) {
        fuzzsetup::fail("a run ended with status " + std::to_string(status));
    }
    Outputs outputs = takeCapturedOutputs();
    outputs[statusName].bytes = std::to_string(status);
    return outputs;
}

void checkQueltOutputs(const Outputs& outputs) {
    for (const auto& [name, output] : outputs) {
        if (name != statusName && queltOutputNames().count(name) == 0) {
            fuzzsetup::fail("the run left an unexpected output: " + name);
        }
    }
}

std::string entryName(const DirectoryEntry& entry) {
    const auto* bytes = reinterpret_cast<const char*>(entry.name);
    return std::string(bytes, std::find(bytes, bytes + sizeof entry.name, '\0'));
}

}  // namespace fuzzruns
