// Archive members' names through the programs: each form's names as the archive
// holds them, whatever the locale; every printed form finds its member again
// in quelt-cp and quelt-ls; a damaged member leaves the others listed. The
// archives are built here, around images built here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/archive_builder.h"
#include "support/json_lines.h"
#include "support/row_name.h"
#include "support/run_tool.h"
#include "support/sample_set.h"

namespace d88build {
namespace {

using nlohmann::json;

// ゲーム表.d88 in UTF-8 and in code page 932, whose 表 is 0x95 0x5C.
const std::string kName = "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\xE8\xA1\xA8.d88";
const std::string kNameDecomposed =
    "\xE3\x82\xB1\xE3\x82\x99\xE3\x83\xBC\xE3\x83\xA0\xE8\xA1\xA8.d88";
const std::string kNameShiftJis = "\x83Q\x81[\x83\x80\x95\x5C.d88";
const std::string kShiftJisEscaped = "\\x83Q\\x81[\\x83\\x80\\x95\\x5C.d88";
const std::string kUtf8Escaped = "\\xE3\\x82\\xB2\\xE3\\x83\\xBC\\xE3\\x83\\xA0\\xE8\\xA1\\xA8.d88";
constexpr char kOtherName[] = "other.d88";

struct FormRow {
    const char* name;
    ArchiveForm form;
    const char* file;
    bool unicode;  // the form keeps the name as UTF-8, not as its stored bytes
};
void PrintTo(const FormRow& row, std::ostream* out) {
    *out << row.name;
}

const FormRow formRows[] = {
    {"ZipShiftJis", ArchiveForm::zip, "set.zip", false},
    {"ZipUtf8", ArchiveForm::zipUtf8, "set.zip", true},
    {"LzhLevel0", ArchiveForm::lzh, "set.lzh", false},
    {"LzhLevel2", ArchiveForm::lzhLevel2, "set.lzh", false},
    {"SevenZip", ArchiveForm::sevenZip, "set.7z", true},
    {"Tar", ArchiveForm::tar, "set.tar", true},
};

std::string hexOf(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += {digits[byte >> 4], digits[byte & 15]};
    }
    return hex;
}

// The scenario disk under the Japanese name, then the whole set beside it.
Bytes archiveFor(const FormRow& row) {
    return archiveOf(row.form,
                     {{row.unicode ? kName : kNameShiftJis, makeSampleSet().scenario.bytes()},
                      {kOtherName, sampleImage()}});
}

ToolRun runOn(const FormRow& row, const std::string& program, const std::vector<std::string>& args,
              const std::string& locale = "C") {
    const Bytes archive = archiveFor(row);
    Surroundings around;
    around.locale = locale;
    return runInFreshFolder(
        program, {}, args,
        [&](const std::filesystem::path& work) { writeFile((work / row.file).string(), archive); },
        around);
}

// The member's short line, its name in the escaped form.
std::string shortLineOf(const FormRow& row) {
    return std::string(row.file) + "/" + (row.unicode ? kUtf8Escaped : kShiftJisEscaped) +
           kScenarioShortLine;
}

class MemberNameForms : public testing::TestWithParam<FormRow> {};

// JSON's member and member_hex, and the text listing's heading in the C locale
// and a UTF-8 one.
TEST_P(MemberNameForms, AreTheNamesTheArchiveHolds) {
    const FormRow& row = GetParam();
    const std::vector<json> lines =
        jsonLines(runOn(row, QUELT_LS_PROGRAM, {"--json", row.file}).out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["member"], kName);
    EXPECT_EQ(lines[0]["member_hex"], hexOf(row.unicode ? kName : kNameShiftJis));
    const std::string heading = std::string(row.file) + "/";
    for (const char* locale : {"C", "C.UTF-8"}) {
        const std::string shown =
            std::string(locale) == "C" ? shortLineOf(row).substr(heading.size()) : kName;
        const ToolRun text = runOn(row, QUELT_LS_PROGRAM, {row.file}, locale);
        const std::string first = heading + shown.substr(0, shown.find('\t')) + ":\n";
        EXPECT_EQ(text.out.substr(0, asTextStream(first).size()), asTextStream(first)) << locale;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, MemberNameForms, testing::ValuesIn(formRows), rowName);

// ---- Every printed form typed back, in either locale

struct TypedRow {
    const char* name;
    std::string typed;  // after ARCHIVE/
    const char* locale;
};
void PrintTo(const TypedRow& row, std::ostream* out) {
    *out << row.name;
}

const TypedRow typedRows[] = {
    {"DecodedInC", kName, "C"},
    {"DecodedInUtf8", kName, "C.UTF-8"},
    {"Decomposed", kNameDecomposed, "C.UTF-8"},
    {"EscapedInC", kShiftJisEscaped, "C"},
    {"EscapedInUtf8", kShiftJisEscaped, "C.UTF-8"},
    {"ExactBytes", kNameShiftJis, "C"},
};

class TypedMemberNames : public testing::TestWithParam<TypedRow> {};

// The code page 932 members of a ZIP and an LZH: quelt-ls lists the member
// alone, and quelt-cp copies its file as from the image kept as a file.
TEST_P(TypedMemberNames, ReachTheMember) {
    const TypedRow& row = GetParam();
    const ToolRun fromFile = runInFreshFolder(QUELT_CP_PROGRAM, makeSampleSet().scenario.bytes(),
                                              {kImageName, "1", "savedat"});
    for (const FormRow& form : {formRows[0], formRows[2]}) {
        const std::string operand = std::string(form.file) + "/" + row.typed;
        const ToolRun listed = runOn(form, QUELT_LS_PROGRAM, {"--short", operand}, row.locale);
        EXPECT_EQ(listed.out, asTextStream(shortLineOf(form))) << form.name << listed.err;
        const ToolRun copied = runOn(form, QUELT_CP_PROGRAM, {operand, "1", "savedat"}, row.locale);
        EXPECT_EQ(copied.err, "") << form.name;
        ASSERT_EQ(copied.files.count("savedat"), 1u) << form.name;
        EXPECT_EQ(copied.files.at("savedat"), fromFile.files.at("savedat")) << form.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TypedMemberNames, testing::ValuesIn(typedRows), rowName);

#ifndef _WIN32
// ---- 7-Zip's defaults, as collections are packed (LZMA2, headers compressed)

const std::string kSecondName = "\xE4\xBA\x8C.d88";  // 二.d88

TEST(SevenZipDefaults, ListAndCopyByTheirJapaneseNames) {
    if (std::system("command -v 7z >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "p7zip's 7z is not installed (tools/packages.txt)";
    }
    const Bytes disk = makeSampleSet().scenario.bytes();
    const auto prepare = [&](const std::filesystem::path& work) {
        writeFile((work / kName).string(), disk);
        writeFile((work / kSecondName).string(), sampleImage());
    };
    Surroundings around;
    around.before = "7z a -bd -- two.7z " + kName + " " + kSecondName + " >/dev/null && rm -- " +
                    kName + " " + kSecondName + " && ";
    around.locale = "C.UTF-8";
    const ToolRun listed =
        runInFreshFolder(QUELT_LS_PROGRAM, {}, {"--json", "two.7z"}, prepare, around);
    const std::vector<json> lines = jsonLines(listed.out);
    ASSERT_EQ(lines.size(), 2u) << listed.err;
    EXPECT_EQ(lines[0]["member"], kName);
    EXPECT_EQ(lines[1]["member"], kSecondName);
    const ToolRun copied = runInFreshFolder(QUELT_CP_PROGRAM, {},
                                            {"two.7z/" + kName, "1", "savedat"}, prepare, around);
    EXPECT_EQ(copied.err, "");
    EXPECT_EQ(copied.files.count("savedat"), 1u);
}
#endif

// ---- A damaged member in the middle

// Three copies of the scenario disk, the second's deflated bytes overwritten
// so that libarchive can unpack no more of them.
Bytes zipWithDamagedMiddle() {
    const Bytes disk = makeSampleSet().scenario.bytes();
    Bytes zip = archiveOf(ArchiveForm::zip, {{"a.d88", disk}, {"b.d88", disk}, {"c.d88", disk}});
    const std::string text(zip.begin(), zip.end());
    const std::size_t data = text.find("b.d88") + 64;
    std::fill(zip.begin() + static_cast<std::ptrdiff_t>(data),
              zip.begin() + static_cast<std::ptrdiff_t>(data + 16), 0xFF);
    return zip;
}

TEST(DamagedMember, LeavesTheOthersListedAndGivesLibarchivesReason) {
    const Bytes zip = zipWithDamagedMiddle();
    const auto prepare = [&zip](const std::filesystem::path& work) {
        writeFile((work / "bad.zip").string(), zip);
    };
    const ToolRun listed = runInFreshFolder(QUELT_LS_PROGRAM, {}, {"--short", "bad.zip"}, prepare);
    EXPECT_EQ(listed.out, asTextStream("bad.zip/a.d88" + kScenarioShortLine + "bad.zip/c.d88" +
                                       kScenarioShortLine));
    EXPECT_EQ(listed.err.rfind("quelt-ls: bad.zip/b.d88: ZIP ", 0), 0u) << listed.err;
    const ToolRun copied = runInFreshFolder(QUELT_CP_PROGRAM, {}, {"bad.zip/b.d88", "1"}, prepare);
    EXPECT_EQ(copied.err.rfind("quelt-cp: bad.zip/b.d88: ZIP ", 0), 0u) << copied.err;
    for (const std::string& err : {listed.err, copied.err}) {
        EXPECT_EQ(err.find("\\x"), std::string::npos) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    }
    EXPECT_EQ(copied.status, 1);
}

}  // namespace
}  // namespace d88build
