// Windows' command line read again for its quotes: which arguments are
// wildcards the companions expand, and that each argument reads as the C
// library gives it. Plain text work, tried on every system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "companion/windows_command_line.h"
#include "support/row_name.h"

namespace {

using queltests::rowName;

struct LineCase {
    const char* name;
    std::string line;
    std::vector<std::string> texts;  // argv
    std::vector<bool> wildcards;     // which of them are wildcards
};

void PrintTo(const LineCase& lineCase, std::ostream* out) {
    *out << lineCase.name;
}

const LineCase lineCases[] = {
    {"BareWildcard", "quelt-ls.exe --short images\\*.d88",
     {"quelt-ls.exe", "--short", "images\\*.d88"}, {false, false, true}},
    {"QuotedWildcardIsAName", "quelt-ls \"images\\*.d88\"", {"quelt-ls", "images\\*.d88"},
     {false, false}},
    {"QuestionMarkIsAWildcard", "quelt-cp disk?.d88 1", {"quelt-cp", "disk?.d88", "1"},
     {false, true, false}},
    {"QuotesAroundSpacesLeaveTheStar", "x \"my images\"\\*.d88", {"x", "my images\\*.d88"},
     {false, true}},
    {"StarInsideTheQuotesOnly", "x \"a*\"b", {"x", "a*b"}, {false, false}},
    {"QuotedProgramKeepsItsBackslashes", "\"C:\\Program Files\\q\\quelt-ls.exe\" a",
     {"C:\\Program Files\\q\\quelt-ls.exe", "a"}, {false, false}},
    {"TwoBackslashesBeforeAQuote", "x a\\\\\"b c\"", {"x", "a\\b c"}, {false, false}},
    {"ThreeBackslashesBeforeAQuote", "x a\\\\\\\"b", {"x", "a\\\"b"}, {false, false}},
    {"BackslashesElsewhereStand", "x a\\\\b\\", {"x", "a\\\\b\\"}, {false, false}},
    {"DoubledQuoteInsideQuotes", "x \"a\"\"b\"", {"x", "a\"b"}, {false, false}},
    {"EmptyQuotedArgument", "x \"\" y", {"x", "", "y"}, {false, false, false}},
    {"TabsAndRunsOfSpaces", "x\t a  \tb ", {"x", "a", "b"}, {false, false, false}},
    {"Utf8Untouched", "x \xE3\x82\xB2*.d88", {"x", "\xE3\x82\xB2*.d88"}, {false, true}},
};

class WindowsCommandLine : public testing::TestWithParam<LineCase> {};

TEST_P(WindowsCommandLine, SplitsAsTheCLibraryAndTellsWildcards) {
    const LineCase& c = GetParam();
    std::vector<std::string> texts;
    std::vector<bool> wildcards;
    for (const CommandWord& word : splitWindowsCommandLine(c.line)) {
        texts.push_back(word.text);
        wildcards.push_back(word.wildcard);
    }
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(wildcards, c.wildcards);
}

INSTANTIATE_TEST_SUITE_P(Rows, WindowsCommandLine, testing::ValuesIn(lineCases), rowName);

}  // namespace
