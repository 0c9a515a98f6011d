#include "fuzz/program_runs.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "copier/copy_files.h"
#include "fuzz/fuzz_setup.h"
#include "lister/list_image.h"
#include "tool/damage_report.h"
#include "tool/disk_image.h"
#include "tool/run.h"

namespace fuzzruns {

namespace {

namespace fs = std::filesystem;

constexpr char workName[] = "work";
constexpr int musicPieces = 18;

// Runs `program` with these arguments in the work folder.
template <typename Program>
int runIn(const RunFolders& folders, Program program, std::vector<std::string> arguments) {
    const fs::path before = fs::current_path();
    fs::current_path(folders.work);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const int status = program(static_cast<int>(arguments.size()), argv.data());
    diskImage.open(nullptr);
    fs::current_path(before);
    return status;
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

RunFolders makeRunFolders(const std::string& name) {
    RunFolders folders;
    folders.scratch = fuzzsetup::makeScratchFolder(name);
    folders.work = folders.scratch / workName;
    fs::create_directory(folders.work);
    return folders;
}

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

int runQuelt(const RunFolders& folders, const std::string& image) {
    return runIn(folders, ::runQuelt, {"quelt", image});
}

int runLister(const RunFolders& folders, const std::string& image) {
    return runIn(folders, listImage, {"quelt-ls", image});
}

int runCopier(const RunFolders& folders, const std::string& image, int32_t disk,
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
    return runIn(folders, runCopy, arguments);
}

Outputs takeOutputs(const RunFolders& folders, int status, bool readBytes) {
    if (status != 0 && status != 1) {
        fuzzsetup::fail("a run ended with status " + std::to_string(status));
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folders.scratch)) {
        if (entry.path().filename() != workName) {
            fuzzsetup::fail("a run wrote outside its folder: " + entry.path().string());
        }
    }
    Outputs outputs;
    for (const fs::directory_entry& entry : fs::directory_iterator(folders.work)) {
        const std::string name = entry.path().filename().string();
        if (name == imageName) {
            continue;
        }
        if (!fs::is_regular_file(entry.symlink_status())) {
            fuzzsetup::fail("a run left something that is no regular file: " + name);
        }
        Output& output = outputs[name];
        output.size = entry.file_size();
        if (readBytes) {
            output.bytes = contents(entry.path());
        }
        fs::remove(entry.path());
    }
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
