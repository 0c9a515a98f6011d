// A run's text held back for later: every piece in the order written, output
// and failure lines apart, each failure line as fail writes it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "companion/console.h"
#include "companion/run_text.h"
#include "support/row_name.h"

namespace queltests {
namespace {

// One write to the channel: `text` for standard output, or with a reason, a
// failure on the file `text`.
struct Write {
    std::string text;
    const char* reason;  // null: output
};

struct HeldCase {
    const char* name;
    std::vector<Write> writes;
    std::vector<std::pair<bool, std::string>> pieces;
};

void PrintTo(const HeldCase& row, std::ostream* out) {
    *out << row.name;
}

const HeldCase heldCases[] = {
    {"OutputRunsAreOnePiece",
     {{"disk 1\n", nullptr}, {"  offset: 0\n", nullptr}},
     {{false, "disk 1\n  offset: 0\n"}}},
    {"FailureIsTheProgramsLine",
     {{"a.d88", "No such file or directory"}},
     {{true, "quelt-ls: a.d88: No such file or directory\n"}}},
    {"PiecesKeepTheStreamsTurns",
     {{"x\n", nullptr}, {"a.d88", "r"}, {"b.d88", "s"}, {"y\n", nullptr}},
     {{false, "x\n"}, {true, "quelt-ls: a.d88: r\nquelt-ls: b.d88: s\n"}, {false, "y\n"}}},
    {"FailedFileStaysOneLine",
     {{"a\nb.d88", "r"}},
     {{true, "quelt-ls: a\\x0Ab.d88: r\n"}}},
};

class HeldRunText : public testing::TestWithParam<HeldCase> {};

TEST_P(HeldRunText, HoldsThePiecesInOrder) {
    const HeldCase& row = GetParam();
    setProgramName("quelt-ls");
    HeldText held;
    RunText text(held);
    for (const Write& write : row.writes) {
        if (write.reason == nullptr) {
            text.put(write.text);
        } else {
            text.fail(write.text, write.reason);
        }
    }
    EXPECT_EQ(held.pieces, row.pieces);
}

INSTANTIATE_TEST_SUITE_P(Rows, HeldRunText, testing::ValuesIn(heldCases), rowName);

}  // namespace
}  // namespace queltests
