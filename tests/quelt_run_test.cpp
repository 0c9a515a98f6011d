// End-to-end runs of the built quelt: each case is an image recipe and what the
// run must print, return and write, compared byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "support/expected_run.h"
#include "support/game_disk.h"
#include "support/run_tool.h"
#include "tool/messages.h"

namespace d88build {
namespace {

struct Case {
    Bytes image;
    std::string out;
    std::string err;
    int status = 0;
    FileMap files;
    std::vector<std::string> args = {kImageName};
    std::function<void(const std::filesystem::path&)> prepare;
};

struct NamedCase {
    const char* name;
    std::function<Case()> make;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const NamedCase& namedCase, std::ostream* out) {
    *out << namedCase.name;
}

Case completeRun() {
    SampleSet set = makeSampleSet();
    Case c;
    c.image = concat({set.demo.bytes(), set.main.bytes(), set.scenario.bytes()});
    c.out = completeRunOutput(set);
    c.files = merged({demoFiles(set.demo), mainFiles(set.main), scenarioFiles(set)});
    return c;
}

const NamedCase runCases[] = {
    {"CompleteSampleSet", completeRun},
    {"NoArgument",
     [] {
         Case c;
         c.args = {};
         c.err = usageLine;
         c.status = 1;
         return c;
     }},
    {"TwoArguments",
     [] {
         Case c = completeRun();
         c.args = {kImageName, kImageName};
         c.out.clear();
         c.files.clear();
         c.err = usageLine;
         c.status = 1;
         return c;
     }},
    {"MissingImageFile",
     [] {
         Case c;
         c.args = {"no-such-image.d88"};
         c.err = cannotOpenMessage;
         c.status = 1;
         return c;
     }},
    {"ImageIsAFolder",
     [] {
         Case c;
         c.args = {"folder.d88"};
         c.prepare = [](const std::filesystem::path& work) {
             std::filesystem::create_directory(work / "folder.d88");
         };
         c.err = cannotOpenMessage;
         c.status = 1;
         return c;
     }},
    {"EmptyImageHasNoMainDisk",
     [] {
         Case c;
         c.err = noMainDiskMessage;
         c.status = 1;
         return c;
     }},
    {"ShortOfOneHeaderHasNoMainDisk",
     [] {
         Case c;
         c.image = makeSampleSet().demo.bytes();
         c.image.resize(kHeaderSize - 1);
         c.err = noMainDiskMessage;
         c.status = 1;
         return c;
     }},
};

class QueltRun : public testing::TestWithParam<NamedCase> {};

TEST_P(QueltRun, PrintsReturnsAndWritesExactly) {
    Case expected = GetParam().make();
    ToolRun run = runInFreshFolder(QUELT_PROGRAM, expected.image, expected.args, expected.prepare);
    EXPECT_EQ(run.out, asTextStream(expected.out));
    EXPECT_EQ(run.err, asTextStream(expected.err));
    EXPECT_EQ(run.status, expected.status);
    EXPECT_EQ(run.files.size(), expected.files.size());
    for (const auto& [name, bytes] : expected.files) {
        auto written = run.files.find(name);
        ASSERT_NE(written, run.files.end()) << name << " was not written";
        EXPECT_TRUE(written->second == bytes) << name << " differs";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, QueltRun, testing::ValuesIn(runCases),
                         [](const testing::TestParamInfo<NamedCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace d88build
