// Archive members' names through the programs: each form's names as the archive
// holds them, whatever the locale; every printed form finds its member again
// in quelt-ls and quelt-cp; a damaged member leaves the others listed. The
// archives are built here, around images built here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <nlohmann/json.hpp>

#include "names/escapes.h"
#include "names/unicode.h"
#include "samples/archive_builder.h"
#include "support/json_lines.h"
#include "support/row_name.h"
#include "support/run_tool.h"
#include "samples/sample_set.h"

namespace queltests {
using namespace d88build;
namespace {

// ゲーム表.d88 in UTF-8, decomposed, in code page 932 (表 is 0x95 0x5C, its
// trail byte a backslash), and escaped as --short gives each.
const std::string kName = "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\xE8\xA1\xA8.d88";
const std::string kNfd = "\xE3\x82\xB1\xE3\x82\x99\xE3\x83\xBC\xE3\x83\xA0\xE8\xA1\xA8.d88";
const std::string kShiftJis = "\x83Q\x81[\x83\x80\x95\x5C.d88";
const std::string kShiftJisEscaped = "\\x83Q\\x81[\\x83\\x80\\x95\\x5C.d88";
const std::string kUtf8Escaped = "\\xE3\\x82\\xB2\\xE3\\x83\\xBC\\xE3\\x83\\xA0\\xE8\\xA1\\xA8.d88";
constexpr char kNameB[] = "b.d88";

struct NameRow {
    const char* name;
    ArchiveForm form;
    const char* file;
    bool unicode;        // the form keeps the name as UTF-8, not as its stored bytes
    std::string typed;   // after ARCHIVE/
    const char* locale;
};

const NameRow nameRows[] = {
    {"ZipShiftJisTypedInC", ArchiveForm::zip, "set.zip", false, kName, "C"},
    {"ZipShiftJisEscaped", ArchiveForm::zip, "set.zip", false, kShiftJisEscaped, "C.UTF-8"},
    {"ZipUtf8Decomposed", ArchiveForm::zipUtf8, "set.zip", true, kNfd, "C.UTF-8"},
    {"LzhLevel0Bytes", ArchiveForm::lzh, "set.lzh", false, kShiftJis, "C"},
    {"LzhLevel2TypedInUtf8", ArchiveForm::lzhLevel2, "set.lzh", false, kName, "C.UTF-8"},
    {"SevenZipEscaped", ArchiveForm::sevenZip, "set.7z", true, kUtf8Escaped, "C"},
    {"TarTypedInC", ArchiveForm::tar, "set.tar", true, kName, "C"},
};

void PrintTo(const NameRow& row, std::ostream* out) {
    *out << row.name;
}

class ArchiveMemberNames : public testing::TestWithParam<NameRow> {};

// The scenario disk under the Japanese name beside the whole set: JSON's member
// and member_hex, the heading in the row's locale, and the typed name reaching
// the member alone in quelt-ls and quelt-cp.
TEST_P(ArchiveMemberNames, AreTheArchivesAndFindTheirMember) {
    const NameRow& row = GetParam();
#ifdef _WIN32
    if (row.form == ArchiveForm::tar) {
        GTEST_SKIP() << "Windows' libarchive writes no pax name that is not ASCII";
    }
#endif
    const Bytes disk = makeSampleSet().scenario.bytes();
    const Bytes archive = archiveOf(row.form, {{row.unicode ? kName : kShiftJis, disk},
                                               {"other.d88", sampleImage()}});
    Surroundings around;
    around.locale = row.locale;
    const auto run = [&](const char* program, const std::vector<std::string>& args) {
        return runInFreshFolder(program, disk, args, [&](const std::filesystem::path& work) {
            writeFile((work / row.file).string(), archive);
        }, around);
    };
    const nlohmann::json first = jsonLines(run(QUELT_LS_PROGRAM, {"--json", row.file}).out)[0];
    EXPECT_EQ(first["member"], kName);
    EXPECT_EQ(first["member_hex"], hexOfBytes(row.unicode ? kName : kShiftJis));
    const std::string escaped = row.unicode ? kUtf8Escaped : kShiftJisEscaped;
#ifdef _WIN32
    const std::string shown = kName;  // the programs' text is Unicode there
    // Its command line is UTF-16 too: bytes that are no UTF-8 are typed as escapes.
    const std::string typed = isValidUtf8(row.typed) ? row.typed : escaped;
#else
    const std::string shown = std::string(row.locale) == "C" ? escaped : kName;
    const std::string typed = row.typed;
#endif
    const std::string heading = std::string(row.file) + "/" + shown + ":\n";
    EXPECT_EQ(run(QUELT_LS_PROGRAM, {row.file}).out.rfind(asTextStream(heading), 0), 0u);
    const std::string operand = std::string(row.file) + "/" + typed;
    EXPECT_EQ(run(QUELT_LS_PROGRAM, {"--short", operand}).out,
              asTextStream(std::string(row.file) + "/" + escaped + kScenarioShortLine));
    const ToolRun copied = run(QUELT_CP_PROGRAM, {operand, "1", "savedat"});
    const ToolRun fromFile = run(QUELT_CP_PROGRAM, {kImageName, "1", "savedat"});
    EXPECT_EQ(copied.err, "");
    EXPECT_EQ(copied.files, fromFile.files);
}

INSTANTIATE_TEST_SUITE_P(Rows, ArchiveMemberNames, testing::ValuesIn(nameRows), rowName);

#ifndef _WIN32
// 7-Zip's own defaults, as collections are packed: LZMA2, its headers compressed.
TEST(SevenZipDefaults, ListTheMembersByTheirNames) {
    if (std::system("command -v 7z >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "p7zip's 7z is not installed (tools/packages.txt)";
    }
    Surroundings around;
    around.before = "mv " + std::string(kImageName) + " " + kName +
                    " && LC_ALL=C.UTF-8 7z a -bd x.7z " + kName + " >/dev/null && rm " + kName +
                    " && ";
    const ToolRun listed = runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), {"--json", "x.7z"},
                                            {}, around);
    EXPECT_EQ(jsonLines(listed.out).at(0)["member"], kName) << listed.err;
}
#endif

// A ZIP of three copies of the scenario disk, the second's deflated bytes
// overwritten so that libarchive can unpack no more of it.
TEST(DamagedMember, LeavesTheOthersListedAndGivesLibarchivesReason) {
    const Bytes disk = makeSampleSet().scenario.bytes();
    Bytes zip = archiveOf(ArchiveForm::zip, {{"a.d88", disk}, {"b.d88", disk}, {"c.d88", disk}});
    const auto at = std::search(zip.begin(), zip.end(), kNameB, kNameB + 5) + 64;
    std::fill(at, at + 16, 0xFF);
    const auto prepare = [&zip](const std::filesystem::path& work) {
        writeFile((work / "bad.zip").string(), zip);
    };
    const ToolRun listed = runInFreshFolder(QUELT_LS_PROGRAM, {}, {"--short", "bad.zip"}, prepare);
    EXPECT_EQ(listed.out, asTextStream("bad.zip/a.d88" + kScenarioShortLine + "bad.zip/c.d88" +
                                       kScenarioShortLine));
    const ToolRun copied = runInFreshFolder(QUELT_CP_PROGRAM, {}, {"bad.zip/b.d88", "1"}, prepare);
    for (const std::string& err : {listed.err, copied.err}) {
        EXPECT_EQ(err.find(": bad.zip/b.d88: ZIP "), err.find(':')) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;  // one line, no \x0A in it
    }
}

}  // namespace
}  // namespace queltests
