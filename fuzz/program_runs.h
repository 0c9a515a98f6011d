// The three programs' runs in-process for the fuzz targets, each in a work
// folder of a scratch folder, and the checks of what a run left behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "gamefs/game_fs.h"

namespace fuzzruns {

// The scratch folder holds only the work folder, so that a write outside it
// shows; the image read lies in the work folder under imageName.
struct RunFolders {
    std::filesystem::path scratch;
    std::filesystem::path work;
};
constexpr char imageName[] = "image.d88";

RunFolders makeRunFolders(const std::string& name);

// What a run left in the work folder: file name -> its bytes (or, unread, its
// size), and the run's status under statusName.
constexpr char statusName[] = "(status)";
struct Output {
    std::uintmax_t size = 0;
    std::string bytes;
    bool operator==(const Output& other) const {
        return size == other.size && bytes == other.bytes;
    }
};
using Outputs = std::map<std::string, Output>;

// Every file quelt's run may write: all 24, in its current folder.
const std::set<std::string>& queltOutputNames();

// Each program on `image` with the work folder as its current folder; returns
// its exit status.
int runQuelt(const RunFolders& folders, const std::string& image);
int runLister(const RunFolders& folders, const std::string& image);
int runCopier(const RunFolders& folders, const std::string& image, int32_t disk,
              const char* name = nullptr, const char* output = nullptr);

// Fails unless the status is 0 or 1, the run wrote nothing outside the work
// folder and left only regular files there; takes them out of it, their bytes
// read when `readBytes`, and adds the status as "(status)".
Outputs takeOutputs(const RunFolders& folders, int status, bool readBytes);

// Fails when quelt left a file that is not one of its outputs.
void checkQueltOutputs(const Outputs& outputs);

// The bytes of an entry's name as the copier names its file: up to the first 0,
// at most 8.
std::string entryName(const DirectoryEntry& entry);

}  // namespace fuzzruns
