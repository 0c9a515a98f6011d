// What each program says and returns when its command line is wrong or names an
// image it cannot open: one line on standard error, status 1, no file written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "copier/copy_messages.h"
#include "support/run_case.h"
#include "tool/messages.h"

namespace d88build {
namespace {

// quelt-ls keeps its usage line to itself.
constexpr char lsUsageLine[] = "Usage: quelt-ls [d88file]\n";
constexpr char folderName[] = "folder.d88";

struct CommandCase {
    const char* name;
    const char* program;
    std::vector<std::string> args;
    const char* err;
};

void PrintTo(const CommandCase& commandCase, std::ostream* out) {
    *out << commandCase.name;
}

const CommandCase commandCases[] = {
    {"QueltWithoutAnImage", QUELT_PROGRAM, {}, usageLine},
    {"QueltWithTwoImages", QUELT_PROGRAM, {kImageName, kImageName}, usageLine},
    {"QueltOnAMissingImage", QUELT_PROGRAM, {"no-such-image.d88"}, cannotOpenMessage},
    {"QueltOnAFolder", QUELT_PROGRAM, {folderName}, cannotOpenMessage},
    {"LsWithoutAnImage", QUELT_LS_PROGRAM, {}, lsUsageLine},
    {"LsWithTwoImages", QUELT_LS_PROGRAM, {kImageName, kImageName}, lsUsageLine},
    {"LsOnAMissingImage", QUELT_LS_PROGRAM, {"no-such-image.d88"}, cannotOpenMessage},
    {"LsOnAFolder", QUELT_LS_PROGRAM, {folderName}, cannotOpenMessage},
    {"CpWithoutADisk", QUELT_CP_PROGRAM, {kImageName}, copyUsageLine},
    {"CpWithTooManyArguments", QUELT_CP_PROGRAM, {kImageName, "1", "notes", "out", "more"},
     copyUsageLine},
    {"CpWithADiskThatIsNotANumber", QUELT_CP_PROGRAM, {kImageName, "1x", "notes"}, copyUsageLine},
    {"CpOnAMissingImage", QUELT_CP_PROGRAM, {"no-such-image.d88", "1"}, cannotOpenMessage},
};

class CommandLine : public testing::TestWithParam<CommandCase> {};

// Every run has the sample set beside it and a folder named like an image.
TEST_P(CommandLine, FailsWithOneLineAndWritesNothing) {
    const CommandCase& command = GetParam();
    Case c;
    c.image = sampleImage();
    c.args = command.args;
    c.prepare = [](const std::filesystem::path& work) {
        std::filesystem::create_directory(work / folderName);
    };
    c.err = command.err;
    c.status = 1;
    expectRunAsDescribed(command.program, c);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, testing::ValuesIn(commandCases),
                         [](const testing::TestParamInfo<CommandCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace d88build
