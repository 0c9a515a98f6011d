// Runs a built program the way a user would, in a fresh folder of its own, and
// collects everything it did: standard output and error as bytes, the exit
// status and every file it left in the folder.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "samples/d88_builder.h"

namespace queltests {
using namespace d88build;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
    // Regular files left in the work folder and its folders ("out/name"), the
    // image itself excepted.
    std::map<std::string, Bytes> files;
};

// Standard output and error are text streams: on Windows every "\n" a program
// prints arrives as "\r\n". Expected texts go through this before comparison.
std::string asTextStream(const std::string& text);

// Where the program's standard output and error go.
enum class Streams {
    apart,         // each into a file of its own
    oneLog,        // both into one file (2>&1), read as the output
    outputToFull,  // standard output to /dev/full (Linux), standard error to its file
};

// The surroundings of a run, for the cases about them; POSIX shells only, unless
// left at their defaults.
struct Surroundings {
    // Shell text put before the program, e.g. "cat image.d88 | ".
    std::string before;
    Streams streams = Streams::apart;
    // A file of the work folder redirected to standard input ("<"; every shell).
    std::string input;
    // Largest file the run may write (RLIMIT_FSIZE), in bytes; 0 for no limit.
    long fileSizeLimit = 0;
    // The program's locale (LC_ALL), whatever the test's own is: names follow
    // it on POSIX systems. Windows has none; its programs' text is Unicode.
    std::string locale = "C";
    // Each argument goes onto the command line in quotes; false leaves them
    // bare, as a user types a wildcard for a Windows program to expand (no
    // argument may then hold a space or a character special to the shell).
    bool quoted = true;
    // Shell text run after the program in the work folder (POSIX), e.g. to
    // write a file's mode into a file of the folder; the program's status stays
    // the run's.
    std::string after;
};

// The image is written into the work folder under this name.
constexpr const char* kImageName = "image.d88";
// Names outside every single-byte code page, in UTF-8: "ゲーム.d88" and "コピー.bin".
constexpr const char* kJapaneseImageName = "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0.d88";
constexpr const char* kJapaneseOutputName = "\xE3\x82\xB3\xE3\x83\x94\xE3\x83\xBC.bin";

// `name` in `folder` as the companions print a path they build: after \ on
// Windows, / elsewhere.
std::string inFolder(const std::string& folder, const std::string& name);

// Gives the image in `work` the name kJapaneseImageName.
void giveImageAJapaneseName(const std::filesystem::path& work);

// Writes `image` as kImageName into a fresh folder, lets `prepare` add to the
// folder, then runs `program` there with `args` (the image's name by default) in
// the given surroundings. A relative `program` path is taken from the folder the
// test runs in.
ToolRun runInFreshFolder(const std::string& program, const Bytes& image,
                         const std::vector<std::string>& args = {kImageName},
                         const std::function<void(const std::filesystem::path&)>& prepare = {},
                         const Surroundings& around = {});

}  // namespace queltests
