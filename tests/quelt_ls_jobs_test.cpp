// quelt-ls -j: a folder listed on two threads prints what one thread prints,
// in the same order, with the same status, in every form and in one log of
// both streams.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/file_tree.h"
#include "support/row_name.h"
#include "support/run_tool.h"
#include "samples/sample_set.h"

namespace queltests {
using namespace d88build;
namespace {

struct JobsCase {
    const char* name;
    std::vector<std::string> args;  // -j N goes before them
    Streams streams;
};

void PrintTo(const JobsCase& row, std::ostream* out) {
    *out << row.name;
}

const JobsCase jobsCases[] = {
    {"Text", {"-r", "in", "missing.d88"}, Streams::apart},
    {"TextInOneLog", {"-r", "in", "missing.d88"}, Streams::oneLog},
    {"Json", {"--json", "-r", "in", "missing.d88"}, Streams::apart},
    {"ShortInOneLog", {"--short", "-r", "in"}, Streams::oneLog},
    {"Hashes", {"--hash", "-r", "in", kImageName}, Streams::apart},
};

// More files than two threads hold at once: disks, whole sets, a cut-short
// set, empty files and text, in two folders.
void addCollection(const std::filesystem::path& work) {
    const SampleSet set = makeSampleSet();
    const Bytes whole = sampleImage();
    const std::vector<Bytes> kinds = {set.demo.bytes(), set.main.bytes(), whole,
                                      Bytes(whole.begin(), whole.begin() + 500000), Bytes(),
                                      set.scenario.bytes(), Bytes{'n', 'o', '\n'}};
    for (int i = 0; i < 16; ++i) {
        const std::string name = std::string(i % 2 == 0 ? "a" : "b") + "/image" +
                                 std::to_string(i) + ".d88";
        writeFileBelow(work / "in", name, kinds[static_cast<std::size_t>(i) % kinds.size()]);
    }
}

ToolRun runWithJobs(const JobsCase& row, const char* jobs) {
    std::vector<std::string> args = {"-j", jobs};
    args.insert(args.end(), row.args.begin(), row.args.end());
    Surroundings around;
    around.streams = row.streams;
    return runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), args, addCollection, around);
}

class QueltLsJobs : public testing::TestWithParam<JobsCase> {};

TEST_P(QueltLsJobs, TwoThreadsPrintWhatOnePrints) {
    const ToolRun one = runWithJobs(GetParam(), "1");
    const ToolRun two = runWithJobs(GetParam(), "2");
    EXPECT_EQ(two.out, one.out);
    EXPECT_EQ(two.err, one.err);
    EXPECT_EQ(two.status, one.status);
    EXPECT_EQ(two.files, one.files);
}

INSTANTIATE_TEST_SUITE_P(Cases, QueltLsJobs, testing::ValuesIn(jobsCases), rowName);

}  // namespace
}  // namespace queltests
