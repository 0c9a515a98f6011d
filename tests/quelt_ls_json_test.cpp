// quelt-ls --json read back with the JSON library itself: its fields beside the
// text listing of the same images, and its hashes beside the system's tools.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/game_disk.h"
#include "support/run_tool.h"
#include "support/sample_set.h"

namespace d88build {
namespace {

using nlohmann::json;
constexpr char kScenarioImage[] = "scenario.d88";

std::vector<json> jsonLines(const std::string& out) {
    std::vector<json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(json::parse(line, nullptr, false));
    }
    return lines;
}

// Beside the sample set: a file that is no image, its scenario disk alone, the
// set cut short and a disk formatted by another system.
void addTheOtherImages(const std::filesystem::path& work) {
    writeFile((work / "notes.txt").string(), Bytes(12, 'x'));
    writeFile((work / kScenarioImage).string(), makeSampleSet().scenario.bytes());
    Bytes cut = sampleImage();
    cut.resize(500000);
    writeFile((work / "cut.d88").string(), cut);
    Disk blank;
    blank.sector(kSystemTrack, kDirectorySector).assign(kSectorSize, 0xE5);
    writeFile((work / "blank.d88").string(), blank.bytes());
}

const std::vector<std::string> kImages = {kImageName, "notes.txt", kScenarioImage, "cut.d88",
                                          "blank.d88"};

bool holds(const ToolRun& run, const std::string& text) {
    return run.out.find(asTextStream(text)) != std::string::npos;
}

std::string hashLine(const json& hashes) {
    return "hashes: crc32 " + hashes["crc32"].get<std::string>() + "  md5 " +
           hashes["md5"].get<std::string>() + "  sha1 " + hashes["sha1"].get<std::string>();
}

// The summary's line of `disk` of the image at `path`.
std::string shortLineOf(const std::string& path, const json& disk) {
    std::string roles;
    for (const json& role : disk["roles"]) {
        roles += (roles.empty() ? "" : "+") + role.get<std::string>();
    }
    return path + "\t" + std::to_string(disk["disk"].get<int>()) + "\t" +
           (roles.empty() ? "-" : roles) + "\t" +
           disk["name"].get<std::string>() + "\t" + std::to_string(disk["size"].get<long long>()) +
           "\t" + disk["hashes"]["sha1"].get<std::string>() + "\n";
}

// The lines of disk block `disk` the text listing must hold for its JSON object.
std::vector<std::string> textLinesOf(const json& disk) {
    std::vector<std::string> lines = {
        "disk " + std::to_string(disk["disk"].get<int>()),
        "  offset: " + std::to_string(disk["offset"].get<long long>()),
        "  size: " + std::to_string(disk["size"].get<long long>()),
        "  name: \"" + disk["name"].get<std::string>() + "\"",
        "  media: " + disk["media_name"].get<std::string>(),
        "  " + hashLine(disk["hashes"]),
        "  tracks: " + std::to_string(disk["tracks"]["present"].get<int>()),
        std::string("  demo signature: ") + (disk["demo_signature"].get<bool>() ? "yes" : "no"),
        "  directory: " + std::to_string(disk["directory"]["used_entries"].get<int>()) +
            " entries used",
        "  role: " +
            (disk["roles"].empty() ? "none" : disk["roles"][0].get<std::string>() + " disk")};
    for (const json& entry : disk["directory"]["entries"]) {
        lines.push_back("\"" + entry["name"].get<std::string>() + "\"");
        lines.push_back("    " + hashLine(entry["hashes"]));
    }
    return lines;
}

// Runs quelt-ls with `option` on every image of kImages.
ToolRun runOnAll(const char* option) {
    std::vector<std::string> args = {option};
    args.insert(args.end(), kImages.begin(), kImages.end());
    return runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), args, addTheOtherImages);
}

TEST(QueltLsJson, SaysWhatTheTextListingSays) {
    const ToolRun jsonRun = runOnAll("--json");
    const ToolRun textRun = runOnAll("--hash");
    const ToolRun shortRun = runOnAll("--short");
    EXPECT_EQ(jsonRun.status, 1);
    const std::vector<json> images = jsonLines(jsonRun.out);
    ASSERT_EQ(images.size(), kImages.size());
    EXPECT_FALSE(images[1]["d88"].get<bool>());
    const json& set = images[0];
    EXPECT_EQ(set["version"], 1);
    EXPECT_EQ(set["quelt"]["completes"], true);
    EXPECT_TRUE(holds(textRun, "file " + hashLine(set["hashes"]) + "\n"));
    std::size_t from = 0;
    for (const json& disk : set["disks"]) {
        for (const std::string& line : textLinesOf(disk)) {
            const std::size_t at = textRun.out.find(asTextStream(line), from);
            ASSERT_NE(at, std::string::npos) << line << "\nmissing in:\n" << textRun.out;
            from = at;
        }
    }
    const json& cut = images[3]["disks"][1];
    EXPECT_TRUE(holds(textRun, "  size: 348848 (past the end of the file by " +
                                   cut["bytes_missing"].dump() + " bytes)\n"));
    EXPECT_TRUE(holds(textRun, "  tracks: " + cut["tracks"]["present"].dump() + " (cut short: " +
                                   cut["tracks"]["cut_short"][0].dump() + "; missing: "));
    const json& blank = images[4]["disks"][0]["directory"];
    EXPECT_EQ(blank["state"], "not_this_file_system");
    EXPECT_TRUE(holds(textRun, "  directory: not this file system (" +
                                   blank["reason"].get<std::string>() + ")\n"));
    std::string shortLines;
    for (const json& image : images) {
        for (const json& disk : image["disks"]) {
            shortLines += shortLineOf(image["path"].get<std::string>(), disk);
        }
    }
    EXPECT_EQ(shortRun.out, asTextStream(shortLines));
    EXPECT_EQ(shortRun.status, 1);
    // A disk's hashes are those of the disk saved as a file of its own; a file
    // that is one disk has that disk's hashes.
    EXPECT_EQ(set["disks"][2]["hashes"], images[2]["hashes"]);
    EXPECT_EQ(images[2]["disks"][0]["hashes"], images[2]["hashes"]);
}

// ---- Every disk's hashes and header, from a file and from streams

// The sample set with its main disk write-protected (0x10 in its header).
Bytes protectedSet() {
    const SampleSet set = makeSampleSet();
    Bytes main = set.main.bytes();
    main[26] = 0x10;
    return concat({set.demo.bytes(), main, set.scenario.bytes()});
}

// Its three disks, each saved as a file of its own.
void addEachDisk(const std::filesystem::path& work) {
    const Bytes image = protectedSet();
    const size_t disk = image.size() / 3;
    for (size_t i = 0; i < 3; ++i) {
        const auto from = image.begin() + static_cast<std::ptrdiff_t>(i * disk);
        writeFile((work / ("disk" + std::to_string(i + 1))).string(),
                  Bytes(from, from + static_cast<std::ptrdiff_t>(disk)));
    }
}

// A disk's hashes are those of the disk saved as a file of its own, for every
// disk of a file of several (disk 1 too, which begins where the file does), and
// its write-protect byte is its own header's.
TEST(QueltLsJson, EveryDiskHasItsOwnHashesAndHeader) {
    const ToolRun run =
        runInFreshFolder(QUELT_LS_PROGRAM, protectedSet(),
                         {"--json", kImageName, "disk1", "disk2", "disk3"}, addEachDisk);
    const std::vector<json> images = jsonLines(run.out);
    ASSERT_EQ(images.size(), 4u) << run.err;
    const json& disks = images[0]["disks"];
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(disks[i]["hashes"], images[i + 1]["hashes"]) << "disk " << i + 1;
        EXPECT_EQ(disks[i]["write_protect"], i == 1 ? 0x10 : 0) << "disk " << i + 1;
        EXPECT_NE(disks[i]["hashes"], images[0]["hashes"]);
    }
    const ToolRun text = runInFreshFolder(QUELT_LS_PROGRAM, protectedSet(), {"--hash", kImageName});
    EXPECT_NE(text.out.find(asTextStream("  name: \"MAIN\"\n  media: 2D\n  write protect: 0x10\n  "
                                         "hashes: crc32 " +
                                         disks[1]["hashes"]["crc32"].get<std::string>())),
              std::string::npos)
        << text.out;
}

// How a stream brings the image: the shell text before quelt-ls and its operand.
struct StreamRow {
    const char* name;
    std::string before;
    std::string operand;
};

void PrintTo(const StreamRow& row, std::ostream* out) {
    *out << row.name;
}

// The tests' own binary cat: Windows' type is a text command, which stops at 0x1A.
const std::string binaryCat =
    "\"" + std::filesystem::absolute(QUELT_TEST_CAT_PROGRAM).string() + "\" ";

const StreamRow streamRows[] = {
#ifdef _WIN32
    {"Pipe", binaryCat + "image.d88 | ", "-"},
#else
    {"Pipe", "cat image.d88 | ", "-"},
    {"DevStdinOfAPipe", "cat image.d88 | ", "/dev/stdin"},
    {"Fifo", "mkfifo fifo && { cat image.d88 > fifo & } && ", "fifo"},
#endif
};

class QueltLsStream : public testing::TestWithParam<StreamRow> {};

// The stream's line is the file's, but for the path: hashes and write protection included.
TEST_P(QueltLsStream, ListsAsTheFile) {
    const StreamRow& row = GetParam();
    Surroundings around;
    around.before = row.before;
    const ToolRun fromStream =
        runInFreshFolder(QUELT_LS_PROGRAM, protectedSet(), {"--json", row.operand}, {}, around);
    const ToolRun fromFile =
        runInFreshFolder(QUELT_LS_PROGRAM, protectedSet(), {"--json", kImageName});
    std::vector<json> streamed = jsonLines(fromStream.out);
    std::vector<json> file = jsonLines(fromFile.out);
    ASSERT_EQ(streamed.size(), 1u) << fromStream.err;
    ASSERT_EQ(file.size(), 1u);
    EXPECT_EQ(streamed[0]["path"], row.operand);
    EXPECT_EQ(streamed[0]["disks"][1]["write_protect"], 0x10);
    streamed[0].erase("path");
    file[0].erase("path");
    EXPECT_EQ(streamed[0], file[0]);
    EXPECT_EQ(fromStream.err, "");
}

INSTANTIATE_TEST_SUITE_P(Rows, QueltLsStream, testing::ValuesIn(streamRows),
                         [](const testing::TestParamInfo<StreamRow>& info) {
                             return std::string(info.param.name);
                         });

#ifndef _WIN32
// A process substitution, <(...), through bash: a pipe by a name of /dev/fd.
TEST(QueltLsJson, ProcessSubstitutionListsAsTheFile) {
    Surroundings around;
    around.before = "bash -c '\"$0\" --json <(cat image.d88)' ";
    const ToolRun substituted = runInFreshFolder(QUELT_LS_PROGRAM, protectedSet(), {}, {}, around);
    const ToolRun fromFile =
        runInFreshFolder(QUELT_LS_PROGRAM, protectedSet(), {"--json", kImageName});
    std::vector<json> streamed = jsonLines(substituted.out);
    std::vector<json> file = jsonLines(fromFile.out);
    ASSERT_EQ(streamed.size(), 1u) << substituted.err;
    streamed[0].erase("path");
    file[0].erase("path");
    EXPECT_EQ(streamed[0], file[0]);
}

// sha1sum, md5sum and a second CRC32 tool (crc32, of libarchive-zip-perl) on the
// whole file, disk 3 cut out with head and tail, and bgmscore as quelt-cp writes it.
TEST(QueltLsJson, HashesAgreeWithTheSystemsTools) {
    const std::string copier = std::filesystem::absolute(QUELT_CP_PROGRAM).string();
    Surroundings around;
    around.before = "tail -c 348848 image.d88 > disk3 && '" + copier +
                    "' image.d88 3 bgmscore && { for f in image.d88 disk3 bgmscore; do "
                    "sha1sum $f; md5sum $f; crc32 $f; done; } > sums 2>&1 && ";
    const ToolRun run =
        runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), {"--json", kImageName}, {}, around);
    const std::vector<json> images = jsonLines(run.out);
    ASSERT_EQ(images.size(), 1u);
    const json& image = images[0];
    std::string expected;
    for (const json& hashes : {image["hashes"], image["disks"][2]["hashes"],
                               image["disks"][2]["directory"]["entries"][2]["hashes"]}) {
        expected += hashes["sha1"].get<std::string>() + "\n" +
                    hashes["md5"].get<std::string>() + "\n" + hashes["crc32"].get<std::string>() +
                    "\n";
    }
    const Bytes& sums = run.files.at("sums");
    std::string found;
    std::istringstream in(std::string(sums.begin(), sums.end()));
    for (std::string word, rest; in >> word && std::getline(in, rest);) {
        found += word + "\n";
    }
    EXPECT_EQ(found, expected);
}
#endif

}  // namespace
}  // namespace d88build
