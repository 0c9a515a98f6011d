// The options of the companion programs, run end to end: help and version on
// standard output with status 0, any other option a wrong command line, and no
// option ever taken for a file name.
#include <gtest/gtest.h>

#include <string>

#include "copier/copy_messages.h"
#include "lister/list_messages.h"
#include "sample/sample_set_messages.h"
#include "support/run_case.h"
#include "support/sample_set.h"

namespace d88build {
namespace {

struct OptionCase {
    const char* name;
    const char* program;
    std::vector<std::string> args;
    std::string out;
    std::string err;
    int status;
};

void PrintTo(const OptionCase& optionCase, std::ostream* out) {
    *out << optionCase.name;
}

std::string versionLine(const char* program) {
    return std::string(program) + " " + QUELT_VERSION + "\n";
}

const std::string lsHelp = std::string(listerUsageLine) + listerArguments;
const std::string cpHelp = std::string(copyUsageLine) + copyArguments;

const OptionCase optionCases[] = {
    {"LsHelp", QUELT_LS_PROGRAM, {"--help"}, lsHelp, "", 0},
    {"LsShortHelp", QUELT_LS_PROGRAM, {"-h"}, lsHelp, "", 0},
    {"LsVersion", QUELT_LS_PROGRAM, {"--version"}, versionLine("quelt-ls"), "", 0},
    {"LsUnknownOption", QUELT_LS_PROGRAM, {"-x"}, "", listerUsageLine, 1},
    {"LsDashIsNoImage", QUELT_LS_PROGRAM, {"-"}, "", listerUsageLine, 1},
    {"CpHelpAfterOperands", QUELT_CP_PROGRAM, {kImageName, "1", "--help"}, cpHelp, "", 0},
    {"CpVersion", QUELT_CP_PROGRAM, {"--version"}, versionLine("quelt-cp"), "", 0},
    {"CpNameThatIsAnOption", QUELT_CP_PROGRAM, {kImageName, "1", "-notes"}, "", copyUsageLine, 1},
    {"SampleSetHelpWritesNoFile", QUELT_SAMPLE_SET_PROGRAM, {"--help"},
     std::string(sampleSetUsageLine) + sampleSetArguments, "", 0},
    {"SampleSetVersion", QUELT_SAMPLE_SET_PROGRAM, {"--version"}, versionLine("quelt-sample-set"),
     "", 0},
    {"SampleSetUnknownOption", QUELT_SAMPLE_SET_PROGRAM, {"--out"}, "", sampleSetUsageLine, 1},
};

class CompanionOptions : public testing::TestWithParam<OptionCase> {};

// No case expects a file: an option is never a file's name.
TEST_P(CompanionOptions, AnswerWithoutWritingAFile) {
    const OptionCase& expected = GetParam();
    Case c;
    c.image = sampleImage();
    c.args = expected.args;
    c.out = expected.out;
    c.err = expected.err;
    c.status = expected.status;
    expectRunAsDescribed(expected.program, c);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompanionOptions, testing::ValuesIn(optionCases),
                         [](const testing::TestParamInfo<OptionCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace d88build
