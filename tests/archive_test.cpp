// Images inside archives: every member of a ZIP, 7-Zip, LZH and tar.xz lists
// as the same image kept as a file does, a compressed image as the file, and
// what cannot be an image says what it is; quelt-cp copies from a member. The
// archives are built here, around images built here.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "archive/compressed_forms.h"
#include "companion/member_operand.h"
#include "samples/archive_builder.h"
#include "support/json_lines.h"
#include "support/row_name.h"
#include "support/run_tool.h"
#include "samples/sample_set.h"

namespace queltests {
using namespace d88build;
namespace {

using nlohmann::json;

// ---- What a form's first bytes are called

struct FormRow {
    const char* name;
    std::function<Bytes()> first;
    const char* form;
};

void PrintTo(const FormRow& row, std::ostream* out) {
    *out << row.name;
}

Bytes withBytesAt(size_t offset, const std::string& text) {
    Bytes bytes(offset + text.size() + 8, 0);
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return bytes;
}

const FormRow formRows[] = {
    {"Gzip", [] { return withBytesAt(0, "\x1F\x8B\x08"); }, "gzip data"},
    {"Xz", [] { return withBytesAt(0, std::string("\xFD" "7zXZ\0", 6)); }, "xz data"},
    {"Bzip2", [] { return withBytesAt(0, "BZh9"); }, "bzip2 data"},
    {"Zip", [] { return withBytesAt(0, "PK\x03\x04"); }, "ZIP archive"},
    {"SevenZip", [] { return withBytesAt(0, "7z\xBC\xAF\x27\x1C"); }, "7-Zip archive"},
    {"LzhOfAnyMethod", [] { return withBytesAt(2, "-lh5-"); }, "LZH archive"},
    {"Tar", [] { return withBytesAt(257, "ustar"); }, "tar archive"},
    {"D88ImageIsNone", [] { return sampleImage(); }, ""},
    {"TooShortForItsSignature", [] { return Bytes{0x1F}; }, ""},
};

class CompressedForm : public testing::TestWithParam<FormRow> {};

TEST_P(CompressedForm, IsNamedByItsSignature) {
    const FormRow& row = GetParam();
    const Bytes first = row.first();
    EXPECT_EQ(compressedFormOf(first.data(), std::min(first.size(), formSignatureReach)), row.form);
}

INSTANTIATE_TEST_SUITE_P(Rows, CompressedForm, testing::ValuesIn(formRows), rowName);

// ---- Where ARCHIVE/MEMBER splits

bool onlyArchivesAreFiles(const std::string& path) {
    return path == "set.zip" || path == "old/set.zip" || path == "-";
}

TEST(MemberSplit, IsAtTheFirstPartThatNamesAFile) {
    EXPECT_EQ(memberSplitOf("set.zip/a.d88", onlyArchivesAreFiles), 7u);
    EXPECT_EQ(memberSplitOf("old/set.zip/disks/a.d88", onlyArchivesAreFiles), 11u);
    // A member whose name holds the separator, even at its start.
    EXPECT_EQ(memberSplitOf("set.zip//abs/a.d88", onlyArchivesAreFiles), 7u);
    EXPECT_EQ(memberSplitOf("-/a.d88", onlyArchivesAreFiles), 1u);
    EXPECT_EQ(memberSplitOf("other.zip/a.d88", onlyArchivesAreFiles), std::string::npos);
    // No member after the separator.
    EXPECT_EQ(memberSplitOf("set.zip/", onlyArchivesAreFiles), std::string::npos);
}

// ---- Members listed as their files

constexpr char kSetName[] = "set.d88";
constexpr char kDiskName[] = "one.d88";
constexpr char kNotesName[] = "notes.txt";

// The members: the sample set in a subfolder, its scenario disk alone, and a text.
std::vector<ArchiveMember> theMembers() {
    return {{std::string("disks/") + kSetName, sampleImage()},
            {kDiskName, makeSampleSet().scenario.bytes()},
            {kNotesName, Bytes(100, 'x')}};
}

struct ArchiveRow {
    const char* name;
    ArchiveForm form;
    const char* fileName;
};

void PrintTo(const ArchiveRow& row, std::ostream* out) {
    *out << row.name;
}

const ArchiveRow archiveRows[] = {
    {"Zip", ArchiveForm::zip, "set.zip"},
    {"SevenZip", ArchiveForm::sevenZip, "set.7z"},
    {"Lzh", ArchiveForm::lzh, "set.lzh"},
    {"TarXz", ArchiveForm::tarXz, "set.tar.xz"},
};

class ArchiveMembers : public testing::TestWithParam<ArchiveRow> {};

// quelt-ls --json on the archive and on the members kept as files beside it.
TEST_P(ArchiveMembers, ListAsTheirFilesUnderTheArchivesPath) {
    const ArchiveRow& row = GetParam();
    if (row.form == ArchiveForm::tarXz && !archivesHaveXz()) {
        GTEST_SKIP() << "this build's libarchive has no xz";
    }
    const std::vector<ArchiveMember> members = theMembers();
    const Bytes archive = archiveOf(row.form, members);
    const ToolRun run = runInFreshFolder(
        QUELT_LS_PROGRAM, sampleImage(), {"--json", row.fileName, kSetName, kDiskName, kNotesName},
        [&](const std::filesystem::path& work) {
            writeFile((work / row.fileName).string(), archive);
            writeFile((work / kSetName).string(), members[0].bytes);
            writeFile((work / kDiskName).string(), members[1].bytes);
            writeFile((work / kNotesName).string(), members[2].bytes);
        });
    EXPECT_EQ(run.status, 1);  // the text is no D88 image
    const std::vector<json> lines = jsonLines(run.out);
    ASSERT_EQ(lines.size(), 6u) << run.out << run.err;
    for (size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(lines[i]["path"], row.fileName);
        EXPECT_EQ(lines[i]["member"], members[i].name);
        EXPECT_EQ(without(lines[i], {"path", "path_hex", "member", "member_hex"}),
                  without(lines[i + 3], {"path", "path_hex"}))
            << members[i].name;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ArchiveMembers, testing::ValuesIn(archiveRows), rowName);

// ---- Whole runs on archives: what they print, and their status

// The archive (or other file) `file`, beside the scenario disk alone as
// kImageName, then quelt-ls with `args`.
struct ArchiveRunRow {
    const char* name;
    const char* file;
    std::function<Bytes()> bytes;
    std::vector<std::string> args;
    std::string out;
    std::string err;
    int status = 0;
};

void PrintTo(const ArchiveRunRow& row, std::ostream* out) {
    *out << row.name;
}

// 2000 bytes that begin with `signature`, of a form this build cannot read.
Bytes unreadableForm(const std::string& signature) {
    Bytes bytes = withBytesAt(0, signature);
    bytes.resize(2000, 0x55);
    return bytes;
}

const ArchiveRunRow archiveRunRows[] = {
    {"TextHeadingsNameArchiveAndMember", "set.zip",
     [] { return archiveOf(ArchiveForm::zip, theMembers()); }, {"set.zip"},
     "set.zip/disks/set.d88:\n",  // the first line; the rest is the sample set's listing
     "", 1},
    {"ShortLinesNameArchiveAndMember", "set.zip",
     [] { return archiveOf(ArchiveForm::zip, {theMembers()[1]}); }, {"--short", "set.zip"},
     "set.zip/one.d88" + kScenarioShortLine, ""},
    {"CompressedImageIsItsMember", "one.d88.gz",
     [] { return gzipOf(makeSampleSet().scenario.bytes()); }, {"--short", "one.d88.gz"},
     "one.d88.gz" + kScenarioShortLine, ""},
    {"MemberThatIsNoImageIsOneLine", "set.zip",
     [] { return archiveOf(ArchiveForm::zip, {theMembers()[2]}); }, {"set.zip"},
     "set.zip/notes.txt:\nnot a D88 image: no disk: the file is shorter than a disk header (688 "
     "bytes)\n",
     "", 1},
    {"ArchiveInAnArchiveIsOneMember", "outer.zip",
     [] {
         const Bytes inner = archiveOf(ArchiveForm::zip, theMembers());
         return archiveOf(ArchiveForm::zip, {{"inner.zip", inner}});
     },
     {"outer.zip"}, "outer.zip/inner.zip:\nnot a D88 image: ZIP archive\n", "", 1},
    {"FormThatCannotBeReadSaysWhatItIs", "set.d88.lzo",
     [] { return unreadableForm(std::string("\x89LZO\0\r\n\x1A\n", 9)); }, {"set.d88.lzo"},
     "not a D88 image: lzop data\n", "", 1},
#ifdef _WIN32
    // The Windows build's libarchive has no zstd (tools/build-windows-libarchive.sh).
    {"ZstdThatThisBuildCannotReadSaysWhatItIs", "set.d88.zst",
     [] { return unreadableForm("\x28\xB5\x2F\xFD"); }, {"set.d88.zst"},
     "not a D88 image: zstd data\n", "", 1},
#endif
    {"CorruptArchiveSaysWhyAndTheRestIsListed", "bad.zip",
     [] {
         Bytes zip = archiveOf(ArchiveForm::zip, theMembers());
         zip.resize(3000);  // inside its first member
         return zip;
     },
     {"--short", "bad.zip", kImageName}, kImageName + kScenarioShortLine,
     "quelt-ls: bad.zip/disks/set.d88: ",  // and libarchive's reason
     2},
};

class ArchiveRun : public testing::TestWithParam<ArchiveRunRow> {};

// The output must begin with `out` and standard error with `err` (whose end,
// libarchive's reason, is not this project's text); nothing is written.
TEST_P(ArchiveRun, PrintsAndReturns) {
    const ArchiveRunRow& row = GetParam();
    const Bytes bytes = row.bytes();
    const ToolRun run = runInFreshFolder(QUELT_LS_PROGRAM, makeSampleSet().scenario.bytes(),
                                         row.args, [&](const std::filesystem::path& work) {
                                             writeFile((work / row.file).string(), bytes);
                                         });
    EXPECT_EQ(run.out.substr(0, asTextStream(row.out).size()), asTextStream(row.out));
    EXPECT_EQ(run.err.substr(0, row.err.size()), row.err) << run.err;
    EXPECT_EQ(run.err.empty(), row.err.empty()) << run.err;
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.files.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Rows, ArchiveRun, testing::ValuesIn(archiveRunRows), rowName);

// The ZIP bomb's member in JSON: its whole length read and hashed, in a copy that
// held none of it but its start (the temporary folder is checked by the suite's
// cleanliness, the memory by tools/bench-zip-bomb.sh).
TEST(ArchiveRun, ZipBombMemberIsReadToItsEnd) {
    const ToolRun run = runInFreshFolder(
        QUELT_LS_PROGRAM, {}, {"--json", "bomb.zip"}, [](const std::filesystem::path& work) {
            writeFile((work / "bomb.zip").string(), zipOfZeros("zeros.d88", 64u << 20));
        });
    const std::vector<json> lines = jsonLines(run.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["file_size"], 64u << 20);
    EXPECT_EQ(lines[0].count("cut_off_at"), 0u);
    EXPECT_EQ(lines[0]["hashes"]["crc32"], "b2eb30ed");  // crc32 of 64 MiB of zeros
}

// ---- quelt-cp from a member

TEST(ArchiveCopy, CopiesFromAMemberAsFromItsFile) {
    const Bytes zip = archiveOf(ArchiveForm::zip, theMembers());
    const auto prepare = [&zip](const std::filesystem::path& work) {
        writeFile((work / "set.zip").string(), zip);
    };
    const ToolRun fromFile =
        runInFreshFolder(QUELT_CP_PROGRAM, sampleImage(), {kImageName, "3", "savedat"});
    const ToolRun fromMember =
        runInFreshFolder(QUELT_CP_PROGRAM, {}, {"set.zip/disks/set.d88", "3", "savedat"}, prepare);
    EXPECT_EQ(fromMember.err, "");
    EXPECT_EQ(fromMember.status, 0);
    ASSERT_EQ(fromFile.files.count("savedat"), 1u);
    EXPECT_EQ(fromMember.files.at("savedat"), fromFile.files.at("savedat"));
    const ToolRun whole =
        runInFreshFolder(QUELT_CP_PROGRAM, {}, {"set.zip", "3", "savedat"}, prepare);
    EXPECT_EQ(whole.err, asTextStream("quelt-cp: set.zip: an archive: name the image in it as "
                                      "ARCHIVE/MEMBER (quelt-ls ARCHIVE lists them)\n"));
    EXPECT_EQ(whole.status, 1);
    const ToolRun missing =
        runInFreshFolder(QUELT_CP_PROGRAM, {}, {"set.zip/no.d88", "3"}, prepare);
    EXPECT_EQ(missing.err, asTextStream("quelt-cp: set.zip: holds no member \"no.d88\"\n"));
    EXPECT_EQ(missing.status, 1);
}

}  // namespace
}  // namespace queltests
