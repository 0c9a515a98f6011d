// What each program says and returns for its command line: help and version on
// standard output with status 0; a wrong command line, or an image that cannot
// be opened, one line on standard error with status 1. No case writes a file:
// an option is never taken for a file's name.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "companion/command_line.h"
#include "copier/copy_messages.h"
#include "copier/copy_request.h"
#include "lister/list_image.h"
#include "lister/list_messages.h"
#include "samples/sample_set_messages.h"
#include "support/run_case.h"
#include "samples/sample_set.h"
#include "support/system_errors.h"
#include "tool/messages.h"

namespace queltests {
using namespace d88build;
namespace {

constexpr char folderName[] = "folder.d88";

// Windows programs take /? for -h; elsewhere it is a path like any other.
#ifdef _WIN32
constexpr bool onWindows = true;
#else
constexpr bool onWindows = false;
#endif

struct CommandCase {
    const char* name;
    const char* program;
    std::vector<std::string> args;
    std::string out;
    std::string err;
    int status;
};

void PrintTo(const CommandCase& commandCase, std::ostream* out) {
    *out << commandCase.name;
}

std::string versionLine(const char* program) {
    return std::string(program) + " " + QUELT_VERSION + "\n";
}

const std::string lsHelp = listerHelp();
const std::string cpHelp = copyHelp();

std::string unknownOption(const char* program, const char* option) {
    return std::string(program) + ": unknown option '" + option + "': expected one that " +
           program + " --help lists\n";
}

const CommandCase commandCases[] = {
    {"QueltWithoutAnImage", QUELT_PROGRAM, {}, "", usageLine, 1},
    {"QueltWithTwoImages", QUELT_PROGRAM, {kImageName, kImageName}, "", usageLine, 1},
    {"QueltOnAMissingImage", QUELT_PROGRAM, {"no-such-image.d88"}, "", cannotOpenMessage, 1},
    {"QueltOnAFolder", QUELT_PROGRAM, {folderName}, "", cannotOpenMessage, 1},
    {"LsWithoutAnImage", QUELT_LS_PROGRAM, {}, "",
     "quelt-ls: missing operand: expected one or more IMAGE\n", 2},
    {"LsOnAMissingImage", QUELT_LS_PROGRAM, {"no-such-image.d88"}, "",
     fileError("quelt-ls", "no-such-image.d88", kNoSuchFile), 2},
    {"LsOnAFolder", QUELT_LS_PROGRAM, {folderName}, "",
     fileError("quelt-ls", folderName, kIsAFolder), 2},
    {"LsHelp", QUELT_LS_PROGRAM, {"--help"}, lsHelp, "", 0},
    {"LsShortHelp", QUELT_LS_PROGRAM, {"-h"}, lsHelp, "", 0},
    {"LsVersion", QUELT_LS_PROGRAM, {"--version"}, versionLine("quelt-ls"), "", 0},
    {"LsUnknownOption", QUELT_LS_PROGRAM, {kImageName, "-x"}, "", unknownOption("quelt-ls", "-x"),
     2},
    {"LsOptionWithAValue", QUELT_LS_PROGRAM, {"--utf8=yes", kImageName}, "",
     "quelt-ls: option '--utf8' takes no value: expected --utf8 alone\n", 2},
    {"CpWithoutADisk", QUELT_CP_PROGRAM, {kImageName}, "",
     "quelt-cp: missing operand: expected IMAGE DISK [NAME [OUTPUT]]\n", 1},
    {"CpWithTooManyArguments", QUELT_CP_PROGRAM, {kImageName, "1", "notes", "out", "more"}, "",
     "quelt-cp: extra operand 'more': expected IMAGE DISK [NAME [OUTPUT]]\n", 1},
    {"CpWithAFolderAndAnOutput", QUELT_CP_PROGRAM, {"-t", ".", kImageName, "1", "notes", "out"},
     "", "quelt-cp: extra operand 'out': expected IMAGE DISK [NAME] with -t\n", 1},
    {"CpWithADiskThatIsNotANumber", QUELT_CP_PROGRAM, {kImageName, "abc"}, "",
     "quelt-cp: invalid disk number 'abc': expected a number from 1, as quelt-ls counts the "
     "disks\n",
     1},
    {"CpWithAnOptionsValueMissing", QUELT_CP_PROGRAM, {kImageName, "1", "-nt"}, "",
     "quelt-cp: option '-t' needs a value: expected it after the option\n", 1},
    {"CpOnAMissingImage", QUELT_CP_PROGRAM, {"no-such-image.d88", "1"}, "",
     fileError("quelt-cp", "no-such-image.d88", kNoSuchFile), 1},
    {"CpHelpAfterOperands", QUELT_CP_PROGRAM, {kImageName, "1", "--help"}, cpHelp, "", 0},
    {"CpVersion", QUELT_CP_PROGRAM, {"--version"}, versionLine("quelt-cp"), "", 0},
    {"CpNameThatIsAnOption", QUELT_CP_PROGRAM, {kImageName, "1", "-notes"}, "",
     unknownOption("quelt-cp", "-o"), 1},
    {"LsAbbreviatedVersion", QUELT_LS_PROGRAM, {"--ver"}, versionLine("quelt-ls"), "", 0},
    {"CpAbbreviatedHelpAfterOperands", QUELT_CP_PROGRAM, {kImageName, "1", "--he"}, cpHelp, "",
     0},
    {"LsAmbiguousAbbreviation", QUELT_LS_PROGRAM, {"--h", kImageName}, "",
     "quelt-ls: ambiguous option '--h': expected --help or --hash\n", 2},
    {"CpSecondTargetFolder", QUELT_CP_PROGRAM, {"-t", ".", kImageName, "1", "-t", folderName}, "",
     "quelt-cp: multiple target directories: expected one -t FOLDER\n", 1},
    {"CpAbbreviatedOptionsValueMissing", QUELT_CP_PROGRAM, {kImageName, "1", "--target"}, "",
     "quelt-cp: option '--target-directory' needs a value: expected it after the option\n", 1},
    {"CpAbbreviatedOptionWithAValue", QUELT_CP_PROGRAM, {"--no-clob=yes", kImageName, "1"}, "",
     "quelt-cp: option '--no-clobber' takes no value: expected --no-clobber alone\n", 1},
    {"CpUnknownShortOptionAfterALongOne", QUELT_CP_PROGRAM, {"--utf8", "-xn", kImageName, "1"}, "",
     unknownOption("quelt-cp", "-x"), 1},
    {"LsUnknownOptionStaysOneLine", QUELT_LS_PROGRAM, {"--a\tb", kImageName}, "",
     unknownOption("quelt-ls", "--a\\x09b"), 2},
    {"LsSlashQuestionMarkIsHelpOnWindows", QUELT_LS_PROGRAM, {"/?"}, onWindows ? lsHelp : "",
     onWindows ? "" : fileError("quelt-ls", "/?", kNoSuchFile), onWindows ? 0 : 2},
    {"CpSlashQuestionMarkIsHelpOnWindows", QUELT_CP_PROGRAM, {kImageName, "/?"},
     onWindows ? cpHelp : "",
     onWindows ? "" : "quelt-cp: invalid disk number '/?': expected a number from 1, as quelt-ls "
                      "counts the disks\n",
     onWindows ? 0 : 1},
    {"SampleSetHelpWritesNoFile", QUELT_SAMPLE_SET_PROGRAM, {"--help"},
     helpOf({sampleSetName, sampleSetUsageLine, sampleSetArguments, sampleSetHelpColumn}, {}),
     "", 0},
    {"SampleSetVersion", QUELT_SAMPLE_SET_PROGRAM, {"--version"}, versionLine("quelt-sample-set"),
     "", 0},
    {"SampleSetUnknownOption", QUELT_SAMPLE_SET_PROGRAM, {"--out"}, "",
     unknownOption("quelt-sample-set", "--out"), 1},
};

class CommandLine : public testing::TestWithParam<CommandCase> {};

// Every run has the sample set beside it and a folder named like an image.
TEST_P(CommandLine, AnswersAndWritesNothing) {
    const CommandCase& command = GetParam();
    Case c;
    c.image = sampleImage();
    c.args = command.args;
    c.prepare = [](const std::filesystem::path& work) {
        std::filesystem::create_directory(work / folderName);
    };
    c.out = command.out;
    c.err = command.err;
    c.status = command.status;
    expectRunAsDescribed(command.program, c);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, testing::ValuesIn(commandCases),
                         [](const testing::TestParamInfo<CommandCase>& info) {
                             return std::string(info.param.name);
                         });

// An option's row and the lines --help makes of it.
struct HelpCase {
    const char* name;
    OptionEntry row;
    int column;
    const char* lines;
};

const HelpCase helpCases[] = {
    {"ShortAndLong", {0, 'r', "recursive", nullptr, "walk"}, 19, "  -r, --recursive  walk\n"},
    {"LongOnly", {0, 0, "json", nullptr, "objects"}, 19, "  --json           objects\n"},
    {"ShortOnly", {0, 'x', nullptr, nullptr, "ex"}, 8, "  -x    ex\n"},
    {"ArgumentAfterTheLongName", {0, 'o', "output", "OUTPUT", "to"}, 24,
     "  -o, --output=OUTPUT   to\n"},
    {"ArgumentAfterTheShortName", {0, 'o', nullptr, "OUTPUT", "to"}, 19,
     "  -o OUTPUT        to\n"},
    {"JustFitsBeforeTheColumn", {0, 0, "raw", nullptr, "all"}, 9, "  --raw  all\n"},
    {"LongerThanTheColumnKeepsTwoSpaces", {0, 0, "escaped", nullptr, "bytes"}, 8,
     "  --escaped  bytes\n"},
    {"FurtherLinesAtTheColumn", {0, 0, "utf8", nullptr, "one\ntwo"}, 10,
     "  --utf8  one\n          two\n"},
};

void PrintTo(const HelpCase& help, std::ostream* out) {
    *out << help.name;
}

class OptionHelp : public testing::TestWithParam<HelpCase> {};

TEST_P(OptionHelp, LinesFromTheRow) {
    const HelpCase& help = GetParam();
    const OptionEntry rows[] = {help.row};
    EXPECT_EQ(optionsHelp(rows, help.column), help.lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, OptionHelp, testing::ValuesIn(helpCases),
                         [](const testing::TestParamInfo<HelpCase>& info) {
                             return std::string(info.param.name);
                         });

// --short's columns, as quelt-ls prints them (lister/short_listing.h).
TEST(ListerHelp, NamesEveryColumnOfTheSummary) {
    for (const char* column : {"PATH", "DISK", "ROLE", "NAME", "SIZE", "SHA1", "WHOLE"}) {
        EXPECT_NE(lsHelp.find(column), std::string::npos) << column;
    }
}

}  // namespace
}  // namespace queltests
