// libFuzzer target: arbitrary bytes as a path, as a disk's names (split at 0
// bytes, as a directory holds at most 48 of up to 16 bytes), as a typed name,
// pattern and written name, through names/, or as a Windows command line:
// every escape gives its bytes back, every line stays one valid line, every
// written name finds a file, no word holds more than its line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "companion/windows_command_line.h"
#include "fuzz/fuzz_setup.h"
#include "names/escapes.h"
#include "names/shown_names.h"
#include "names/typed_names.h"
#include "names/unicode.h"
#include "names/written_names.h"
#include "tests/support/printf_decoded.h"

namespace {
constexpr std::size_t largestDirectory = 48;
constexpr std::size_t largestName = 16;

std::vector<std::string> namesIn(const std::string& bytes) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < bytes.size() && names.size() < largestDirectory;) {
        const std::size_t end = std::min(bytes.find('\0', at), bytes.size());
        if (end > at) {  // an entry whose name begins with 0 is not in use
            names.push_back(bytes.substr(at, std::min(end - at, largestName)));
        }
        at = end + 1;
    }
    return names;
}

void require(bool holds, const std::string& what) {
    if (!holds) {
        fuzzsetup::fail(what);
    }
}

void checkPath(const std::string& path) {
    require(queltests::printfDecoded(pathForColumn(path)) == path, "a column lost its path");
    const std::string line = pathForLine(path);
    require(isValidUtf8(line) && line.find('\n') == std::string::npos, "a path broke its line");
    require(isValidUtf8(pathAsUnicode(path)), "a JSON path is not UTF-8");
}

// Every name of a directory: each listed form gives its bytes back, each
// written name finds its file, each listed name the first file of its bytes,
// and * matches every name.
void checkNames(const std::vector<std::string>& names) {
    const DiskNames disk(names);
    for (NameForm form : {NameForm::escaped, NameForm::utf8}) {
        const std::vector<std::string> written = writtenNamesOf(names, form);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string listed = listedNameText(names[i], form);
            require(isValidUtf8(listed), "a listed name is not UTF-8");
            require(form == NameForm::utf8 || bytesOfListedName(listed.c_str()) == names[i],
                    "an escaped name lost its bytes");
            require(disk.fileWrittenAs(written[i]) >= 0, "a written name finds no file");
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto first = std::find(names.begin(), names.end(), names[i]) - names.begin();
        require(disk.fileNamed(listedNameText(names[i], NameForm::escaped)).file == first,
                "a listed name finds another file");
    }
    require(disk.matching("*").size() == names.size(), "* misses a name");
}

// A typed name, as a name, a pattern and a written name, against the directory
// its own bytes make.
void lookUp(const std::string& typed) {
    const DiskNames disk(namesIn(typed));
    disk.matching(typed);
    disk.fileWrittenAs(typed);
    disk.filesWrittenAsStem(typed);
    disk.fileNamed(typed);
    bytesOfTypedName(typed);
    displayWidth(canonicalTyped(typed));
}

// A command line as Windows hands it to a program, split again to learn where
// its wildcards stand: no word gets a byte the line does not hold.
void splitCommandLine(const std::string& line) {
    std::size_t taken = 0;
    for (const CommandWord& word : splitWindowsCommandLine(line)) {
        taken += word.text.size();
    }
    require(taken <= line.size(), "a command line's words hold more than the line");
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsetup::prepare(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks what the rest is, so that each input pays for one
    // check: a path, a directory's names, a name typed by a user, or a Windows
    // command line.
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
    case 0:
        checkPath(rest);
        break;
    case 1:
        checkNames(namesIn(rest));
        break;
    case 2:
        lookUp(rest);
        break;
    default:
        splitCommandLine(rest);
        break;
    }
    return 0;
}
