// The programs' runs in-process for the fuzz targets, and the checks of
// what a run wrote. The runs' files never reach the file system
// (fuzz/captured_outputs.h); the image they read is in memory (fuzz/memory_image.h).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "gamefs/game_fs.h"

namespace fuzzruns {

// What a run wrote: file name -> its size and (when kept) its bytes, and the
// run's status under statusName.
constexpr char statusName[] = "(status)";
struct Output {
    std::uintmax_t size = 0;
    std::string bytes;
    bool operator==(const Output& other) const {
        return size == other.size && bytes == other.bytes;
    }
};
using Outputs = std::map<std::string, Output>;

// Every file quelt's run may write: all 24, named as it names them.
const std::set<std::string>& queltOutputNames();

// Each program on `image`; returns its exit status.
int runQuelt(const std::string& image);
int runLister(const std::string& image, const char* option = nullptr);
int runCopier(const std::string& image, int32_t disk, const char* name = nullptr,
              const char* output = nullptr);
// quelt-join -o joinedName IMAGE, with --set when `set` is true.
constexpr char joinedName[] = "joined.d88";
int runJoiner(const std::string& image, bool set);

// Fails unless the status is 0 or 1; returns the files the run wrote
// (fuzz/captured_outputs.h) and its status under "(status)".
Outputs takeOutputs(int status);

// Fails when quelt left a file that is not one of its outputs.
void checkQueltOutputs(const Outputs& outputs);

// The bytes of an entry's name as the copier names its file: up to the first 0,
// at most 8.
std::string entryName(const DirectoryEntry& entry);

}  // namespace fuzzruns
