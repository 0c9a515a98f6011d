// quelt-ls --json read back with the JSON library itself: its fields beside the
// text listing of the same images, and its hashes beside the system's tools.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

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

// The sample set, its scenario disk alone beside it, and a file that is no image.
void addScenarioDiskAndText(const std::filesystem::path& work) {
    writeFile((work / kScenarioImage).string(), makeSampleSet().scenario.bytes());
    writeFile((work / "notes.txt").string(), Bytes(12, 'x'));
}

const std::vector<std::string> kImages = {kImageName, "notes.txt", kScenarioImage};

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
        "  role: " + (disk["roles"].empty() ? "none" : disk["roles"][0].get<std::string>() + " disk")};
    for (const json& entry : disk["directory"]["entries"]) {
        lines.push_back("\"" + entry["name"].get<std::string>() + "\"");
        lines.push_back("    " + hashLine(entry["hashes"]));
    }
    return lines;
}

TEST(QueltLsJson, SaysWhatTheTextListingSays) {
    std::vector<std::string> args = {"--json"};
    args.insert(args.end(), kImages.begin(), kImages.end());
    const ToolRun jsonRun = runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), args, addScenarioDiskAndText);
    args[0] = "--hash";
    const ToolRun textRun = runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), args, addScenarioDiskAndText);
    args[0] = "--short";
    const ToolRun shortRun = runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), args, addScenarioDiskAndText);
    EXPECT_EQ(jsonRun.status, 1);
    const std::vector<json> images = jsonLines(jsonRun.out);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_FALSE(images[1]["d88"].get<bool>());
    const json& set = images[0];
    EXPECT_EQ(set["version"], 1);
    EXPECT_EQ(set["quelt"]["completes"], true);
    EXPECT_NE(textRun.out.find(asTextStream("file " + hashLine(set["hashes"]) + "\n")), std::string::npos);
    std::size_t from = 0;
    for (const json& disk : set["disks"]) {
        for (const std::string& line : textLinesOf(disk)) {
            const std::size_t at = textRun.out.find(asTextStream(line), from);
            ASSERT_NE(at, std::string::npos) << line << "\nmissing after offset " << from << " in:\n" << textRun.out;
            from = at;
        }
    }
    std::string shortLines;
    for (const json& image : {images[0], images[2]}) {
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
    around.before = "{ for f in image.d88 disk3 bgmscore; do sha1sum $f; md5sum $f; crc32 $f; done; } "
                    "> sums 2>&1 && ";
    around.before = "tail -c 348848 image.d88 > disk3 && '" + copier + "' image.d88 3 bgmscore && " + around.before;
    const ToolRun run = runInFreshFolder(QUELT_LS_PROGRAM, sampleImage(), {"--json", kImageName}, {}, around);
    const std::vector<json> images = jsonLines(run.out);
    ASSERT_EQ(images.size(), 1u);
    const json& image = images[0];
    std::string expected;
    for (const json& hashes : {image["hashes"], image["disks"][2]["hashes"],
                               image["disks"][2]["directory"]["entries"][2]["hashes"]}) {
        expected += hashes["sha1"].get<std::string>() + "\n" + hashes["md5"].get<std::string>() + "\n" +
                    hashes["crc32"].get<std::string>() + "\n";
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
