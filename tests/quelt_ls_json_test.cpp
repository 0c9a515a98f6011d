// quelt-ls --json read back with the JSON library itself: its fields beside the
// text listing of the same images, and its hashes beside the system's tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "names/hex_codec.h"
#include "support/game_disk.h"
#include "support/printf_decoded.h"
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
         {readmeRecipe("quelt-ls --json -r images | jq -r '"),
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
}  // namespace d88build
