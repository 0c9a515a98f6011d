// Images inside archives: every member of a ZIP, 7-Zip, LZH and tar.xz lists
// as the same image kept as a file does, a compressed image as the file, and
// what cannot be an image says what it is; quelt-cp copies from a member. The
// archives are built here, around images built here.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "archive/compressed_forms.h"
#include "copier/image_operand.h"
#include "support/archive_builder.h"
#include "support/json_lines.h"
#include "support/run_tool.h"
#include "support/sample_set.h"

namespace d88build {
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
    {"Xz",
     [] {
         return withBytesAt(0, std::string("\xFD"
                                           "7zXZ\0",
                                           6));
     },
     "xz data"},
    {"Bzip2", [] { return withBytesAt(0, "BZh9"); }, "bzip2 data"},
    {"Zip", [] { return withBytesAt(0, "PK\x03\x04"); }, "ZIP archive"},
    {"SevenZip", [] { return withBytesAt(0, "7z\xBC\xAF\x27\x1C"); }, "7-Zip archive"},
    {"LzhOfAnyMethod", [] { return withBytesAt(2, "-lh5-"); }, "LZH archive"},
    {"Tar", [] { return withBytesAt(257, "ustar"); }, "tar archive"},
    {"D88ImageIsNone", [] { return sampleImage(); }, ""},
    {"TooShortForItsSignature", [] { return Bytes{0x1F}; }, ""},
    {"XzSignatureCutShort",
     [] {
         return withBytesAt(0,
                            "\xFD"
                            "7zX");
     },
     ""},
};

class CompressedForm : public testing::TestWithParam<FormRow> {};

TEST_P(CompressedForm, IsNamedByItsSignature) {
    const FormRow& row = GetParam();
    const Bytes first = row.first();
    EXPECT_EQ(compressedFormOf(first.data(), std::min(first.size(), formSignatureReach)), row.form);
}

INSTANTIATE_TEST_SUITE_P(Rows, CompressedForm, testing::ValuesIn(formRows),
                         [](const testing::TestParamInfo<FormRow>& info) {
                             return std::string(info.param.name);
                         });

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

// The object with its names taken out: what must match between a member and its file.
json withoutNames(json object) {
    for (const char* field : {"path", "path_hex", "member", "member_hex"}) {
        object.erase(field);
    }
    return object;
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
        EXPECT_EQ(withoutNames(lines[i]), withoutNames(lines[i + 3])) << members[i].name;
        EXPECT_EQ(lines[i + 3].count("member"), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ArchiveMembers, testing::ValuesIn(archiveRows),
                         [](const testing::TestParamInfo<ArchiveRow>& info) {
                             return std::string(info.param.name);
                         });

// ---- Whole runs on archives: what they print, and their status

struct ArchiveRunRow {
    const char* name;
    std::function<std::map<std::string, Bytes>()> files;
    std::vector<std::string> args;
    std::string out;
    std::string err;
    int status = 0;
};

void PrintTo(const ArchiveRunRow& row, std::ostream* out) {
    *out << row.name;
}

// The ZIP of theMembers(), cut off inside its first member.
Bytes truncatedZip() {
    Bytes zip = archiveOf(ArchiveForm::zip, theMembers());
    zip.resize(3000);
    return zip;
}

// The scenario disk alone: quelt would not search it without a main disk.
const std::string scenarioShortLine =
    "\t1\t-\tSCENARIO\t348848\t579d4b278c3089f595678db2b5c44406cfbba001\twhole\n";

const ArchiveRunRow archiveRunRows[] = {
    {"TextHeadingsNameArchiveAndMember",
     [] {
         return std::map<std::string, Bytes>{
             {"set.zip", archiveOf(ArchiveForm::zip, theMembers())}};
     },
     {"set.zip"},
     "set.zip/disks/set.d88:\n",  // the first line; the rest is the sample set's listing
     "",
     1},
    {"ShortLinesNameArchiveAndMember",
     [] {
         return std::map<std::string, Bytes>{
             {"set.zip", archiveOf(ArchiveForm::zip, {theMembers()[1]})}};
     },
     {"--short", "set.zip"},
     "set.zip/one.d88" + scenarioShortLine,
     ""},
    {"CompressedImageIsItsMember",
     [] {
         return std::map<std::string, Bytes>{
             {"one.d88.gz", gzipOf(makeSampleSet().scenario.bytes())}};
     },
     {"--short", "one.d88.gz"},
     "one.d88.gz" + scenarioShortLine,
     ""},
    {"MemberThatIsNoImageIsOneLine",
     [] {
         return std::map<std::string, Bytes>{
             {"set.zip", archiveOf(ArchiveForm::zip, {theMembers()[2]})}};
     },
     {"set.zip"},
     "set.zip/notes.txt:\nnot a D88 image: no disk: the file is shorter than a disk header (688 "
     "bytes)\n",
     "",
     1},
    {"ArchiveInAnArchiveIsOneMember",
     [] {
         const Bytes inner = archiveOf(ArchiveForm::zip, theMembers());
         return std::map<std::string, Bytes>{
             {"outer.zip", archiveOf(ArchiveForm::zip, {{"inner.zip", inner}})}};
     },
     {"outer.zip"},
     "outer.zip/inner.zip:\nnot a D88 image: ZIP archive\n",
     "",
     1},
    {"FormThatCannotBeReadSaysWhatItIs",
     [] {
         Bytes lzop = withBytesAt(0, std::string("\x89LZO\0\r\n\x1A\n", 9));
         lzop.resize(2000, 0x55);
         return std::map<std::string, Bytes>{{"set.d88.lzo", lzop}};
     },
     {"set.d88.lzo"},
     "not a D88 image: lzop data\n",
     "",
     1},
#ifdef _WIN32
    // The Windows build's libarchive has no xz (tools/build-windows-libarchive.sh).
    {"XzThatThisBuildCannotReadSaysWhatItIs",
     [] {
         Bytes xz = withBytesAt(0, std::string("\xFD"
                                               "7zXZ\0",
                                               6));
         xz.resize(2000, 0x55);
         return std::map<std::string, Bytes>{{"set.d88.xz", xz}};
     },
     {"set.d88.xz"},
     "not a D88 image: xz data\n",
     "",
     1},
#endif
    {"CorruptArchiveSaysWhyAndTheRestIsListed",
     [] {
         return std::map<std::string, Bytes>{{"bad.zip", truncatedZip()},
                                             {"one.d88", makeSampleSet().scenario.bytes()}};
     },
     {"--short", "bad.zip", "one.d88"},
     "one.d88" + scenarioShortLine,
     "quelt-ls: bad.zip/disks/set.d88: ",  // and libarchive's reason
     2},
    {"ZipBombIsListedAsFarAsItsHeader",
     [] {
         return std::map<std::string, Bytes>{{"bomb.zip", zipOfZeros("zeros.d88", 64u << 20)}};
     },
     {"bomb.zip"},
     "bomb.zip/zeros.d88:\nnot a D88 image: disk 1's size, 0 bytes, is smaller than a disk "
     "header (688 bytes)\n",
     "",
     1},
};

class ArchiveRun : public testing::TestWithParam<ArchiveRunRow> {};

// The output must begin with `out` and standard error with `err` (whose end,
// libarchive's reason, is not this project's text); nothing is written.
TEST_P(ArchiveRun, PrintsAndReturns) {
    const ArchiveRunRow& row = GetParam();
    const std::map<std::string, Bytes> files = row.files();
    const ToolRun run = runInFreshFolder(QUELT_LS_PROGRAM, {}, row.args,
                                         [&files](const std::filesystem::path& work) {
                                             for (const auto& [name, bytes] : files) {
                                                 writeFile((work / name).string(), bytes);
                                             }
                                         });
    EXPECT_EQ(run.out.substr(0, asTextStream(row.out).size()), asTextStream(row.out));
    EXPECT_EQ(run.err.substr(0, row.err.size()), row.err) << run.err;
    EXPECT_EQ(run.err.empty(), row.err.empty()) << run.err;
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.files.size(), files.size());
}

INSTANTIATE_TEST_SUITE_P(Rows, ArchiveRun, testing::ValuesIn(archiveRunRows),
                         [](const testing::TestParamInfo<ArchiveRunRow>& info) {
                             return std::string(info.param.name);
                         });

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

// An archive on a pipe lists as the file: 7-Zip seeks to where its header says,
// a ZIP is read as it comes (its end is not known before it is read).
TEST(ArchiveRun, ArchiveOnAPipeListsAsTheFile) {
    for (const ArchiveForm form : {ArchiveForm::zip, ArchiveForm::sevenZip}) {
        const Bytes archive = archiveOf(form, theMembers());
        Surroundings around;
        around.before = "\"" + std::filesystem::absolute(QUELT_TEST_CAT_PROGRAM).string() + "\" " +
                        kImageName + " | ";
        const ToolRun piped =
            runInFreshFolder(QUELT_LS_PROGRAM, archive, {"--json", "-"}, {}, around);
        const ToolRun file = runInFreshFolder(QUELT_LS_PROGRAM, archive, {"--json", kImageName});
        std::vector<json> pipedLines = jsonLines(piped.out);
        std::vector<json> fileLines = jsonLines(file.out);
        ASSERT_EQ(pipedLines.size(), 3u) << piped.err;
        ASSERT_EQ(fileLines.size(), 3u) << file.err;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(pipedLines[i]["path"], "-");
            for (const char* field : {"path", "path_hex"}) {
                pipedLines[i].erase(field);
                fileLines[i].erase(field);
            }
            EXPECT_EQ(pipedLines[i], fileLines[i]);
        }
    }
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
}  // namespace d88build
