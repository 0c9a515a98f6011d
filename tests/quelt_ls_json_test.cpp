// quelt-ls --json read back with the JSON library itself: its fields beside the
// text listing of the same images, and its hashes beside the system's tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "names/escapes.h"
#include "samples/archive_builder.h"
#include "samples/foreign_disks.h"
#include "samples/game_disk.h"
#include "support/json_lines.h"
#include "samples/other_disks.h"
#include "support/printf_decoded.h"
#include "support/row_name.h"
#include "support/run_tool.h"
#include "samples/sample_set.h"

namespace queltests {
using namespace d88build;
namespace {

using nlohmann::json;
constexpr char kScenarioImage[] = "scenario.d88";

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
           "\t" + disk["hashes"]["sha1"].get<std::string>() + "\t" +
           (disk["whole"].get<bool>() ? "whole" : "cut-short") + "\n";
}

// The text listing's directory line for the JSON's `directory`.
std::string directoryLineOf(const json& directory) {
    const std::string state = directory["state"].get<std::string>();
    if (state == "empty") {
        return std::string("  directory: empty (allocation table ") +
               (directory["allocation_formatted"].get<bool>() ? "formatted" : "not formatted");
    }
    if (state == "this_file_system") {
        const int used = directory["used_entries"].get<int>();
        return "  directory: " + std::to_string(used) + (used == 1 ? " entry" : " entries") +
               " used";
    }
    return "  directory: " + (state == "unreadable" ? state : "not this file system") + " (" +
           directory["reason"].get<std::string>() + ")";
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
        directoryLineOf(disk["directory"]),
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
    EXPECT_EQ(set["version"], 2);
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
    EXPECT_TRUE(holds(textRun, "  size: 348848 (cut short: past the end of the file by " +
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

// The one JSON object of quelt-ls --json on `image`.
json jsonOf(const Bytes& image) {
    const ToolRun run = runInFreshFolder(QUELT_LS_PROGRAM, image, {"--json", kImageName});
    const std::vector<json> lines = jsonLines(run.out);
    return lines.size() == 1 ? lines[0] : json();
}

// The sample set cut off inside its scenario disk's track 76: the file
// savedat reaches it, none of quelt's files do, and its hashes are those of the
// bytes quelt-cp writes for it. (--short's mark follows "whole", as
// SaysWhatTheTextListingSays checks.)
TEST(QueltLsJson, CutShortImageIsMarked) {
    Bytes cut = sampleImage();
    cut.resize(1029136);
    Surroundings around;
#ifndef _WIN32
    const std::string copier = std::filesystem::absolute(QUELT_CP_PROGRAM).string();
    around.before = "'" + copier + "' image.d88 3 savedat 2> warning; sha1sum savedat > sums && ";
#endif
    const ToolRun run = runInFreshFolder(QUELT_LS_PROGRAM, cut, {"--json", kImageName}, {}, around);
    const std::vector<json> images = jsonLines(run.out);
    ASSERT_EQ(images.size(), 1u);
    const json& disks = images[0]["disks"];
    ASSERT_EQ(disks.size(), 3u);
    EXPECT_EQ(disks[0]["whole"], true);
    EXPECT_EQ(disks[1]["whole"], true);
    EXPECT_EQ(disks[2]["whole"], false);
    EXPECT_EQ(disks[2]["bytes_missing"], 17408);
    const json& entries = disks[2]["directory"]["entries"];
    ASSERT_EQ(entries.size(), 4u);
    for (int e = 0; e < 3; ++e) {
        EXPECT_EQ(entries[e]["whole"], true) << e;
        EXPECT_EQ(entries[e]["warnings"], json::array()) << e;
    }
    EXPECT_EQ(entries[3]["name"], "savedat");
    EXPECT_EQ(entries[3]["whole"], false);
    EXPECT_EQ(entries[3]["warnings"],
              json::parse(R"([{"kind":"track_past_file_end","cluster":153,"track":76}])"));
    EXPECT_EQ(images[0]["quelt"]["cuts_whole"], true);
    EXPECT_EQ(images[0]["quelt"]["damaged_outputs"], json::array());
#ifndef _WIN32
    const Bytes& sums = run.files.at("sums");
    EXPECT_EQ(std::string(sums.begin(), sums.begin() + 40), entries[3]["hashes"]["sha1"]);
    EXPECT_FALSE(run.files.at("warning").empty());
#endif
}

// What the text comparison above does not meet: an empty directory whose
// allocation table is not formatted, the used entries of one that is not this
// file system, and sector sizes by their codes (the largest code has its
// length; a larger one has none).
TEST(QueltLsJson, DirectoryStatesAndSectorSizes) {
    const json image = jsonOf(concat({zeroDisk().bytes(), filledDirectoryDisk(0xE5).bytes(),
                                      largestSectorSizes().bytes()}));
    const char* const expected[] = {
        R"({"state":"not_this_file_system","used_entries":0,"reason":"zero fill","entries":[]})",
        R"({"state":"not_this_file_system","used_entries":48,
            "reason":"every used entry is one byte repeated","entries":[]})"};
    ASSERT_EQ(image["disks"].size(), 3u);
    for (size_t d = 0; d < std::size(expected); ++d) {
        EXPECT_EQ(image["disks"][d]["directory"], json::parse(expected[d])) << "disk " << d + 1;
    }
    const json& tracks = image["disks"][2]["tracks"];
    EXPECT_EQ(tracks["size_codes"], json::parse("[1, 8, 9]"));
    EXPECT_EQ(tracks["sector_sizes"], json::parse("[256, 32768, null]"));
}

// Other systems' disks: FAT12's object (its FAT copies differ), a Hu-BASIC
// disk's track that stores one of 16 sectors, and the WHOLE column that says so.
TEST(QueltLsJson, ForeignDisksAreNamedAndShortTracksFlagged) {
    Disk huBasic = huBasicDisk(1);
    huBasic.track(79).resize(1);
    // Last, so that no disk's bytes follow its short track.
    const Bytes bytes =
        concat({fat12Disk({80, 9, 2, 0xF9, false, 0, true}).bytes(), huBasic.bytes()});
    const json image = jsonOf(bytes);
    ASSERT_EQ(image["disks"].size(), 2u);
    EXPECT_EQ(image["disks"][1]["file_system"], json::parse(R"({"name":"Hu-BASIC","files":1})"));
    EXPECT_EQ(image["disks"][1]["tracks"]["short_tracks"],
              json::parse(R"([{"track":79,"stored":1,"named":16}])"));
    EXPECT_EQ(image["disks"][0]["file_system"],
              json::parse(R"({"name":"FAT12","files":2,"volume_label":"WORK DISK",
                  "volume_label_hex":"574f524b204449534b","deleted_entries":1,"fat_copies":2,
                  "fat_copies_differ":true})"));
    const ToolRun shortRun = runInFreshFolder(QUELT_LS_PROGRAM, bytes, {"--short", kImageName});
    EXPECT_NE(shortRun.out.find("\tsectors-missing"), std::string::npos) << shortRun.out;
}

// quelt's picks, by the disks' numbers from 1, in images whose disks come in
// other orders.
struct PicksRow {
    const char* name;
    std::function<Bytes()> image;
    const char* quelt;     // the fields of the "quelt" object checked
    const char* roles;     // every disk's roles, as a JSON list of lists
};

void PrintTo(const PicksRow& row, std::ostream* out) {
    *out << row.name;
}

const PicksRow picksRows[] = {
    {"DisksInAnotherOrder",
     [] {
         SampleSet set = makeSampleSet();
         return concat({&set.scenario, &set.main, &set.demo, &set.main, &set.demo});
     },
     R"({"demo_disks":[3,5],"main_disk":2,"scenario_disk":1,"scenario_searched":true,
         "completes":true,"cuts_whole":true})",
     R"([["scenario"],["main"],["demo"],[],["demo"]])"},
    {"NoMainDisk",
     [] {
         SampleSet set = makeSampleSet();
         return concat({&set.demo, &set.demo, &set.scenario});
     },
     R"({"demo_disks":[1,2],"main_disk":null,"scenario_disk":3,"scenario_searched":false,
         "completes":false,"cuts_whole":null})",
     R"([["demo"],["demo"],[]])"},
};

class QueltPicks : public testing::TestWithParam<PicksRow> {};

TEST_P(QueltPicks, NumberTheDisksFromOne) {
    const json image = jsonOf(GetParam().image());
    const json expected = json::parse(GetParam().quelt);
    for (const auto& [field, value] : expected.items()) {
        EXPECT_EQ(image["quelt"][field], value) << field;
    }
    json roles = json::array();
    for (const json& disk : image["disks"]) {
        roles.push_back(disk["roles"]);
    }
    EXPECT_EQ(roles, json::parse(GetParam().roles));
}

INSTANTIATE_TEST_SUITE_P(Rows, QueltPicks, testing::ValuesIn(picksRows), rowName);

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

// How a stream brings the image: the shell text before quelt-ls --json, the
// operand after it (none: the shell text gives it), and the image.
struct StreamRow {
    const char* name;
    std::string before;
    std::string operand;
    std::function<Bytes()> image = protectedSet;
};

void PrintTo(const StreamRow& row, std::ostream* out) {
    *out << row.name;
}

// The tests' own binary cat: Windows' type is a text command, which stops at 0x1A.
const std::string pipe =
    "\"" + std::filesystem::absolute(QUELT_TEST_CAT_PROGRAM).string() + "\" image.d88 | ";

// The protected set in a subfolder and the scenario disk alone, in an archive of `form`.
Bytes archivedSet(ArchiveForm form) {
    return archiveOf(form, {{"disks/set.d88", protectedSet()},
                            {"one.d88", makeSampleSet().scenario.bytes()}});
}

const StreamRow streamRows[] = {
    {"Pipe", pipe, "-"},
    // 7-Zip seeks to where its header says; a ZIP is read as it comes (its end
    // is not known before it is read).
    {"ZipOnAPipe", pipe, "-", [] { return archivedSet(ArchiveForm::zip); }},
    {"SevenZipOnAPipe", pipe, "-", [] { return archivedSet(ArchiveForm::sevenZip); }},
#ifndef _WIN32
    {"DevStdinOfAPipe", pipe, "/dev/stdin"},
    {"Fifo", "mkfifo fifo && { cat image.d88 > fifo & } && ", "fifo"},
    // A pipe by a name of /dev/fd, through bash.
    {"ProcessSubstitution", "bash -c '\"$@\" <(cat image.d88)' bash ", ""},
#endif
};

class QueltLsStream : public testing::TestWithParam<StreamRow> {};

// Each of the stream's lines is the file's, but for the path: hashes and write
// protection included.
TEST_P(QueltLsStream, ListsAsTheFile) {
    const StreamRow& row = GetParam();
    Surroundings around;
    around.before = row.before;
    std::vector<std::string> args = {"--json"};
    if (!row.operand.empty()) {
        args.push_back(row.operand);
    }
    const ToolRun fromStream = runInFreshFolder(QUELT_LS_PROGRAM, row.image(), args, {}, around);
    const ToolRun fromFile =
        runInFreshFolder(QUELT_LS_PROGRAM, row.image(), {"--json", kImageName});
    const std::vector<json> streamed = jsonLines(fromStream.out);
    const std::vector<json> file = jsonLines(fromFile.out);
    ASSERT_EQ(streamed.size(), file.size()) << fromStream.err;
    ASSERT_FALSE(file.empty());
    for (size_t i = 0; i < file.size(); ++i) {
        EXPECT_EQ(without(streamed[i], {"path", "path_hex"}),
                  without(file[i], {"path", "path_hex"}));
        if (!row.operand.empty()) {
            EXPECT_EQ(streamed[i]["path"], row.operand);
        }
    }
    EXPECT_EQ(fromStream.err, "");
}

INSTANTIATE_TEST_SUITE_P(Rows, QueltLsStream, testing::ValuesIn(streamRows), rowName);

#ifndef _WIN32
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

// Files whose names differ in a byte that is not UTF-8, or that hold a newline
// or a literal "\x0A", each get a path of their own in --short and in JSON, and
// each path gives the file's bytes back.
TEST(QueltLsJson, EveryPathComesBackByteForByte) {
    const std::vector<std::string> names = {"a\x83Q.d88", "a\x84Q.d88", "b\\x0Ac.d88",
                                            "b\nc.d88"};
    const auto addFiles = [&names](const std::filesystem::path& work) {
        std::filesystem::create_directory(work / "in");
        for (const std::string& name : names) {
            writeFile((work / "in").string() + "/" + name, makeSampleSet().scenario.bytes());
        }
    };
    const ToolRun jsonRun =
        runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), {"--json", "-r", "in"}, addFiles);
    const ToolRun shortRun =
        runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), {"--short", "-r", "in"}, addFiles);
    std::set<std::string> fromJson;
    for (const json& image : jsonLines(jsonRun.out)) {
        fromJson.insert(unescapedHex(image["path_hex"].get<std::string>(), ""));
    }
    std::set<std::string> fromShort;
    std::istringstream lines(shortRun.out);
    for (std::string line; std::getline(lines, line);) {
        fromShort.insert(printfDecoded(line.substr(0, line.find('\t'))));
    }
    std::set<std::string> expected;
    for (const std::string& name : names) {
        expected.insert("in/" + name);
    }
    EXPECT_EQ(fromJson, expected);
    EXPECT_EQ(fromShort, expected);
    EXPECT_EQ(std::count(shortRun.out.begin(), shortRun.out.end(), '\n'), 4);
}

// README's find-and-join recipes, read from README.md itself, rebuild the set
// from disks kept one a file under Shift_JIS names, a name with a literal
// "\x41" in it among them.
std::string readmeRecipe(const std::string& firstLine) {
    std::ifstream readme(QUELT_README);
    std::string recipe;
    bool inRecipe = false;
    for (std::string line; std::getline(readme, line);) {
        inRecipe = inRecipe ? line.compare(0, 4, "    ") == 0 : line == "    " + firstLine;
        recipe += inRecipe ? line.substr(4) + "\n" : "";
    }
    return recipe;
}

void addDisksUnderShiftJisNames(const std::filesystem::path& work) {
    const SampleSet set = makeSampleSet();
    std::filesystem::create_directory(work / "images");
    const std::string images = (work / "images").string() + "/";
    writeFile(images + "\x83\x66\x83\x82.d88", set.demo.bytes());         // デモ
    writeFile(images + "\x83\x81\x83\x43\x83\x93", set.main.bytes());    // メイン
    writeFile(images + "b\\x41\x83\x56.d88", set.scenario.bytes());       // b\x41シ
    writeFile(images + "\x83\x56\x83\x69\x83\x8A.d88", set.scenario.bytes());  // シナリ
}

TEST(QueltLsJson, ReadmeRecipesJoinDisksWithShiftJisNames) {
    const std::string programs =
        std::filesystem::absolute(QUELT_LS_PROGRAM).parent_path().string();
    const std::string wanted = "quelt-ls --short image.d88 | cut -f6 > wanted.txt\n";
    for (const std::string& recipe :
         {readmeRecipe("quelt-join --set -r -o set.d88 images"),
          wanted + readmeRecipe("quelt-ls --short -r images |")}) {
        ASSERT_NE(recipe.find("set.d88"), std::string::npos);
        const ToolRun run = runInFreshFolder(
            "/bin/bash", sampleImage(), {"recipe.sh"}, [&](const std::filesystem::path& work) {
                addDisksUnderShiftJisNames(work);
                const std::string script = "PATH='" + programs + "':$PATH\n" + recipe;
                writeFile((work / "recipe.sh").string(), Bytes(script.begin(), script.end()));
            });
        EXPECT_EQ(run.status, 0) << recipe << run.err;
        ASSERT_EQ(run.files.count("set.d88"), 1u) << recipe << run.err;
        EXPECT_TRUE(run.files.at("set.d88") == sampleImage()) << recipe;
    }
}
#endif

}  // namespace
}  // namespace queltests
