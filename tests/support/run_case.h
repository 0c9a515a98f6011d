// One end-to-end case of the tool: an image recipe and everything the run must
// print, return and write. Test files keep tables of named cases.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/expected_run.h"
#include "support/run_tool.h"

namespace queltests {

struct Case {
    Bytes image;
    std::string out;
    std::string err;
    int status = 0;
    FileMap files;
    std::vector<std::string> args = {kImageName};
    std::function<void(const std::filesystem::path&)> prepare;
    Surroundings around;
    // Standard output carries a file's bytes, compared as they are (no text stream).
    bool binaryOutput = false;
};

struct NamedCase {
    const char* name;
    std::function<Case()> make;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const NamedCase& namedCase, std::ostream* out);
std::string caseName(const testing::TestParamInfo<NamedCase>& info);

// Makes the case's preparation write `bytes` as the file at each of `paths` (/
// between the names) below the work folder, and expects them there after the run.
void addFilesAt(Case& c, const std::vector<std::string>& paths, const Bytes& bytes);

// Runs `program` on the case in a fresh folder and compares standard output and
// error (as text streams), the exit status and every file written.
void expectRunAsDescribed(const std::string& program, const Case& expected);

// A run of quelt on the set's disks in the given order (by role), writing the
// set's files: the demo disk's, fmdriver's, and sud_data and the pieces as
// scenarioOutputs has them. What it prints is left to the case.
Case runOn(const SampleSet& set, std::initializer_list<const Disk*> disks);
// The complete run on the set's demo, main and scenario disk, in that order.
Case completeRun(const SampleSet& set);
// A run on `image`, which begins with the set's demo and main disk, that finds
// no scenario disk.
Case noScenarioDiskRun(const SampleSet& set, const Bytes& image);
// A run on `image` that finds no main disk; with `demo`, disk 1 is that demo
// disk and is cut.
Case noMainDiskRun(const Bytes& image, const Disk* demo);

// The damaged-output warning for `name`.
std::string partlyUnreadable(const char* name);

// The `size` bytes at `offset` of a work buffer that holds `contents` from its
// start and zeros after it; nothing past the buffer's 524,288 bytes.
Bytes bufferSlice(const Bytes& contents, size_t offset, size_t size);

// The eighteen pieces as the set's music table cuts them from `buffer`.
FileMap piecesFrom(const SampleSet& set, const Bytes& buffer);

// sud_data and the pieces of a run of the set whose loads all went well: the
// pieces come from "bgmscore" as it lies in the buffer.
FileMap scenarioOutputs(const SampleSet& set);

}  // namespace queltests

// A program's end-to-end table, written once: END_TO_END_TEST makes the suite
// whose one test runs `program` on a case and compares everything, and each
// END_TO_END_ROWS lists a table of NamedCases under it by the cases' names
// (a group a table: the common one, then a system's own under #ifdef).
#define END_TO_END_TEST(Suite, Test, program)                      \
    class Suite : public testing::TestWithParam<NamedCase> {};     \
    TEST_P(Suite, Test) {                                          \
        expectRunAsDescribed(program, GetParam().make());          \
    }                                                              \
    static_assert(true, "a semicolon follows")
#define END_TO_END_ROWS(Group, Suite, rows) \
    INSTANTIATE_TEST_SUITE_P(Group, Suite, testing::ValuesIn(rows), caseName)
