// Hostile images, end to end: each must end quickly with a clear outcome (what
// the run prints, its exit status and exactly the files it writes): huge tracks
// of empty records, sector counts that disagree, size fields that wrap or point
// far past the file, the longest and a looping cluster chain, the largest music
// table entries, track tables pointing into the header, past the end or at
// 0xFFFFFFFF, and the worst cases of the reader's speed, whose reading must
// cost work that grows linearly with the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "gamefs/game_fs.h"
#include "image/d88_image.h"
#include "image/d88_image.h"
#include "support/expected_run.h"
#include "samples/game_disk.h"
#include "samples/hostile_images.h"
#include "samples/other_disks.h"
#include "support/row_name.h"
#include "support/run_case.h"
#include "support/run_tool.h"
#include "support/test_folder.h"
#include "tool/messages.h"

namespace queltests {
using namespace d88build;
namespace {

constexpr uint32_t kAllOnes = 0xFFFFFFFFu;
constexpr int kZeroLengthRecords = 65535;

Case runWithoutTheDemoDisk(const SampleSet& set, const Disk& notDemo) {
    Case c;
    c.image = concat({notDemo.bytes(), set.main.bytes(), set.scenario.bytes()});
    c.out = mainLines(2) + scenarioLines(3, set) + completeMessage;
    c.files = merged({mainFiles(set.main), scenarioOutputs(set)});
    return c;
}

// Track 0 of the demo disk holds 20 records: R 1 to 7 and 9 to 16, four more
// (R 0x40 to 0x43), and last the signature sector R 8, at k = 19. Every record
// states `count` sectors.
Disk signatureBehindTwentyRecords(const SampleSet& set, uint16_t count) {
    Disk demo = set.demo;
    std::vector<Record>& records = demo.track(kSignatureTrack);
    auto signature = std::find_if(records.begin(), records.end(),
                                  [](const Record& r) { return r.r == kSignatureSector; });
    Record last = *signature;
    records.erase(signature);
    for (uint8_t r = 0x40; r <= 0x43; ++r) {
        Record filler = last;
        filler.r = r;
        records.push_back(filler);
    }
    records.push_back(last);
    for (Record& record : records) {
        record.sectorCount = count;
    }
    return demo;
}

// The run on a worst-case image: disk 1 is both main and scenario disk; its three
// files go round a loop of clusters, so every load is reported; the music table
// and every byte read are zeros.
Case worstCaseRun(const Bytes& image, bool fmdriverReadWhole) {
    Case c;
    c.image = image;
    c.out = mainLines(1) + scenarioLines(1, 0xFFFF, {}) + completeMessage;
    for (int j = 0; j < kMusicPieces; ++j) {
        c.files[musName(j)] = {};
    }
    c.err = (fmdriverReadWhole ? "" : partlyUnreadable("fmdriver")) + partlyUnreadable("startup") +
            partlyUnreadable("sud_data") + partlyUnreadable("bgmscore");
    c.status = 1;
    c.files["fmdriver"] = Bytes(kFmdriverRun.length, 0);
    c.files["sud_data"] = Bytes(0xFFFF, 0);
    return c;
}

const NamedCase hostileCases[] = {
    // ---- Tracks whose records make the search long or end it early ----
    {"TrackOfSixtyFiveThousandZeroLengthRecordsEndsTheSearch",
     [] {
         // The search ends after the 65,535th record (k = 65,534, its count - 1),
         // before the signature sector behind them.
         SampleSet set = makeSampleSet();
         Disk demo = set.demo;
         prependZeroLengthRecords(demo, kSignatureTrack, kZeroLengthRecords);
         return runWithoutTheDemoDisk(set, demo);
     }},
    {"SectorCountOfTheSecondRecordEndsTheSearchAfterIt",
     [] {
         SampleSet set = makeSampleSet();
         Disk demo = set.demo;
         demo.track(kSignatureTrack)[1].sectorCount = 2;
         return runWithoutTheDemoDisk(set, demo);
     }},
    {"SectorCountsOfThirtyReachTheTwentiethRecord",
     [] {
         SampleSet set = makeSampleSet();
         set.demo = signatureBehindTwentyRecords(set, 30);
         return completeRun(set);
     }},
    {"SectorCountsOfSixteenEndTheSearchBeforeTheTwentiethRecord",
     [] {
         SampleSet set = makeSampleSet();
         return runWithoutTheDemoDisk(set, signatureBehindTwentyRecords(set, 16));
     }},
    // ---- Size fields ----
    {"SizeFieldCarryingTheOffsetPastTwoGiBEndsTheIndex",
     [] {
         SampleSet set = makeSampleSet();
         set.main.setSizeField(0x7FFFFF00);
         return noScenarioDiskRun(set, concat({&set.demo, &set.main, &set.scenario}));
     }},
    {"SizeFieldOfAllOnesMakesTheMainDiskUnreadable",
     [] {
         // -1: no track entry is at most the size. The next disks are indexed one
         // byte back and further back, inside the demo disk's sectors; none of
         // them has a directory.
         SampleSet set = makeSampleSet();
         set.main.setSizeField(kAllOnes);
         return noMainDiskRun(concat({&set.demo, &set.main, &set.scenario}), &set.demo);
     }},
    {"SixtyFourDisksOfSizeZero",
     [] {
         // Every slot indexes offset 0, and a size of 0 leaves no track usable.
         SampleSet set = makeSampleSet();
         set.main.setSizeField(0);
         return noMainDiskRun(concat({set.main.bytes(), set.scenario.bytes()}), nullptr);
     }},
    {"SizeFieldNearTwoGiBOnASmallFile",
     [] {
         // Track 0 points 2 GiB into a file of 700 KB: nothing is there to read.
         SampleSet set = makeSampleSet();
         set.main.setSizeField(0x7FFFFFF0);
         set.main.setTrackEntry(0, 0x7FFFFF00);
         Case c;
         c.image = concat({set.main.bytes(), set.scenario.bytes()});
         c.out = mainLines(1);
         c.err = noScenarioDiskMessage;
         c.status = 1;
         c.files = mainFiles(set.main);
         return c;
     }},
    // ---- Cluster chains ----
    {"ChainThroughEveryClusterAChainCanName",
     [] {
         SampleSet set = makeSampleSet();
         set.sudData = pattern(1500, 0x5A);
         std::array<MusicPiece, kMusicPieces> pieces{};
         for (int j = 0; j < kMusicPieces - 2; ++j) {
             pieces[static_cast<size_t>(j)] = {static_cast<uint16_t>(12 * j), 0x123, 0x200};
         }
         pieces[kMusicPieces - 2] = {190, 0, 0x800};  // the chain's last cluster read
         pieces[kMusicPieces - 1] = {191, 0, 0x800};  // beyond it: zeros
         setMusicTable(set, pieces);
         LongChainDisk scenario = longChainScenarioDisk(set.sudData);
         Case c;
         c.image = concat({set.demo.bytes(), set.main.bytes(), scenario.disk.bytes()});
         c.out = completeRunOutput(set);
         c.files =
             merged({demoFiles(set.demo), mainFiles(set.main), piecesFrom(set, scenario.loaded)});
         c.files["sud_data"] = set.sudData;
         return c;
     }},
    {"ChainThatLoopsStopsAndIsReported",
     [] {
         // bgmscore's third cluster leads back to its first: the load keeps its
         // first 6,144 bytes; after them the buffer holds the rest of "startup".
         SampleSet set = makeSampleSet();
         loopBgmscoreChain(set.scenario);
         Case c = completeRun(set);
         c.err = partlyUnreadable("bgmscore");
         c.status = 1;
         Bytes buffer = set.startup;
         std::copy(set.bgmscore.begin(), set.bgmscore.begin() + 3 * kClusterSize, buffer.begin());
         c.files = merged({piecesFrom(set, buffer), c.files});
         return c;
     }},
    // ---- The music table ----
    {"EveryMusicEntryAtTheLargestSegmentOffsetAndSize",
     [] {
         SampleSet set = makeSampleSet();
         std::array<MusicPiece, kMusicPieces> pieces;
         pieces.fill({0xFFFF, 0xFFFF, 0xFFFF});
         setMusicTable(set, pieces);
         Case c = completeRun(set);
         for (int j = 0; j < kMusicPieces; ++j) {
             c.err += partlyUnreadable(musName(j).c_str());
             c.files[musName(j)] = {};
         }
         c.status = 1;
         return c;
     }},
    // ---- Track tables ----
    {"TrackTablePointingAtTheHeadersLastSixteenBytes",
     [] {
         // They are track-table entries 160 to 163, all 0: a record stating 0
         // sectors, which ends the search. No directory, so no main disk.
         SampleSet set = makeSampleSet();
         set.main.setTrackEntry(kSystemTrack, kHeaderSize - kRecordHeaderSize);
         return noMainDiskRun(concat({&set.demo, &set.main, &set.scenario}), &set.demo);
     }},
    {"TrackTablePointingIntoTheTrackTable",
     [] {
         // Read as records, the table's entries 12 to 15 state a data length of 1
         // (entry 15's high half); the walk goes on off the records' boundaries,
         // through sector data to the end of the file, and never meets the
         // directory's IDs. No main disk.
         SampleSet set = makeSampleSet();
         set.main.setTrackEntry(kSystemTrack, kTrackTableOffset);
         return noMainDiskRun(concat({&set.demo, &set.main, &set.scenario}), &set.demo);
     }},
    {"TrackTablePointingAtTheEndOfTheFile",
     [] {
         SampleSet set = makeSampleSet();
         set.main.setTrackEntry(kSystemTrack, static_cast<uint32_t>(set.main.bytes().size()));
         return noMainDiskRun(concat({set.demo.bytes(), set.main.bytes()}), &set.demo);
     }},
    {"TrackTableEntriesOfAllOnes",
     [] {
         SampleSet set = makeSampleSet();
         set.demo.setTrackEntry(kSignatureTrack, kAllOnes);
         set.main.setTrackEntry(kSystemTrack, kAllOnes);
         return noMainDiskRun(concat({&set.demo, &set.main, &set.scenario}), nullptr);
     }},
    // ---- The worst cases of the reader's speed (tools/bench-hostile.sh times them) ----
    {"WorstCaseSixtyFourDisksInOneRunOfEmptyRecords",
     [] { return worstCaseRun(worstCaseImage(WorstCaseRecipe{}), false); }},
    {"WorstCaseWalksToTheEndAndFindsTheirSectorsThere",
     [] {
         WorstCaseRecipe recipe;
         recipe.runToEnd = true;
         recipe.clusterSectorsAtEnd = true;
         return worstCaseRun(worstCaseImage(recipe), true);
     }},
    {"WorstCaseFourInterleavedGridsOfRecords", [] { return worstCaseRun(fourGridImage(), false); }},
};

END_TO_END_TEST(HostileImage, EndsWithAClearOutcome, QUELT_PROGRAM);

END_TO_END_ROWS(Cases, HostileImage, hostileCases);

// What the programs read of an image, every disk in turn: each track's listing
// and the directory's files' cluster chains. The index reads a little before it
// sweeps, so that the sweep's work, not the reading budget, is what is counted.
FileReader::Work workOfReading(const Bytes& file) {
    D88Image image(RecordIndex::Limits{4096, 1 << 20, longestListing});
    EXPECT_TRUE(openInFreshFolder(image, file));
    for (int32_t disk = 0; disk < image.diskCount(); ++disk) {
        image.selectDisk(disk);
        for (int32_t track = 0; track < D88Image::maxTracks; ++track) {
            image.listTrack(track);
        }
        clearGameFsTables();
        loadDirectory(image);
        for (const char* name : {"startup", "sud_data", "bgmscore"}) {
            loadFile(image, name);
        }
    }
    return image.readingWork();
}

// Twice the file may cost at most about twice the reads and the bytes the file
// supplies them, however its records overlap.
constexpr double kLinearBound = 2.25;
constexpr size_t kMiB = 1024 * 1024;

class ReadingWork : public testing::TestWithParam<HostileRecipe> {};

TEST_P(ReadingWork, GrowsLinearlyWithTheFile) {
    const FileReader::Work once = workOfReading(GetParam().make(8 * kMiB - 16));
    const FileReader::Work twice = workOfReading(GetParam().make(16 * kMiB - 16));
    EXPECT_LE(twice.reads, kLinearBound * once.reads) << once.reads;
    EXPECT_LE(twice.bytesSupplied, kLinearBound * once.bytesSupplied) << once.bytesSupplied;
}

INSTANTIATE_TEST_SUITE_P(Recipes, ReadingWork, testing::ValuesIn(hostileRecipes()),
                         [](const testing::TestParamInfo<HostileRecipe>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// ---- quelt, quelt-cp and quelt-ls agree on damage

// An image on which the three programs must agree about what could not be read.
struct AgreementImage {
    std::string name;
    std::function<Bytes()> make;
};

void PrintTo(const AgreementImage& image, std::ostream* out) {
    *out << image.name;
}

// Every hostile case's image, every hostile recipe's at the tests' size, and
// the sample set cut short at many places and damaged in other ways.
std::vector<AgreementImage> agreementImages() {
    std::vector<AgreementImage> images;
    for (const NamedCase& hostile : hostileCases) {
        images.push_back({hostile.name, [hostile] { return hostile.make().image; }});
    }
    for (const HostileRecipe& recipe : hostileRecipes()) {
        std::string name = recipe.name;
        std::replace(name.begin(), name.end(), '-', '_');
        images.push_back({name, [recipe] { return recipe.make(kHostileImageLimit - 16); }});
    }
    for (long cut : {100000L, 500000L, 697696L + 20000L, 697696L + 112000L, 697696L + 180000L,
                     1029136L, 1031136L, 1046543L}) {
        images.push_back({"SampleCutAt" + std::to_string(cut), [cut] {
                              Bytes image = sampleImage();
                              image.resize(static_cast<size_t>(cut));
                              return image;
                          }});
    }
    images.push_back({"FileSectorMissing", [] {
                          SampleSet set = makeSampleSet();
                          set.main.removeSector(6, 3);        // startup's first cluster
                          set.scenario.removeSector(22, 10);  // sud_data's
                          set.scenario.removeTrack(50);       // bgmscore's
                          return concat({&set.demo, &set.main, &set.scenario});
                      }});
    return images;
}

using nlohmann::json;

// The names quelt-cp's damaged-copy warnings give, in order.
std::vector<std::string> namesInCopyWarnings(const std::string& err) {
    std::vector<std::string> names;
    std::istringstream lines(err);
    const std::string before = "damaged copy: part of ";
    const std::string after = " could not be read";
    for (std::string line; std::getline(lines, line);) {
        const size_t from = line.find(before);
        const size_t to = line.rfind(after);
        if (from != std::string::npos && to != std::string::npos) {
            names.push_back(line.substr(from + before.size(), to - from - before.size()));
        }
    }
    return names;
}

// What quelt prints on standard error and returns, as quelt-ls's verdict has it.
void expectQueltAsListed(const json& verdict, const ToolRun& run) {
    std::string err;
    for (const json& name : verdict["damaged_outputs"]) {
        err += partlyUnreadable(name.get<std::string>().c_str());
    }
    if (!verdict["lacks"].empty()) {
        err += verdict["lacks"][0] == "main disk" ? noMainDiskMessage : noScenarioDiskMessage;
    }
    EXPECT_EQ(run.err, asTextStream(err));
    const bool whole = verdict["cuts_whole"].is_boolean() && verdict["cuts_whole"].get<bool>();
    EXPECT_EQ(run.status, whole ? 0 : 1);
}

// quelt-cp's warnings when it copies every file of the disk, as quelt-ls's
// entries have them.
void expectCopyAsListed(const Bytes& image, const json& disk) {
    const std::string number = std::to_string(disk["disk"].get<int>());
    SCOPED_TRACE("disk " + number);
    std::vector<std::string> damaged;
    for (const json& entry : disk["directory"]["entries"]) {
        if (!entry["whole"].get<bool>()) {
            damaged.push_back("\"" + entry["name"].get<std::string>() + "\"");
        }
    }
    const auto makeFolder = [](const std::filesystem::path& work) {
        std::filesystem::create_directory(work / "out");
    };
    const ToolRun copy =
        runInFreshFolder(QUELT_CP_PROGRAM, image, {"-t", "out", kImageName, number}, makeFolder);
    EXPECT_EQ(namesInCopyWarnings(copy.err), damaged);
    EXPECT_EQ(copy.status, damaged.empty() ? 0 : 1);
}

class DamageAgreement : public testing::TestWithParam<AgreementImage> {};

TEST_P(DamageAgreement, QueltQueltCpAndQueltLsTellTheSameDamage) {
    const Bytes image = GetParam().make();
    // --raw: quelt reads a file whose header no writer made as an image all the same.
    const ToolRun list =
        runInFreshFolder(QUELT_LS_PROGRAM, image, {"--json", "--raw", kImageName});
    const json facts = json::parse(list.out, nullptr, false);
    ASSERT_TRUE(facts.is_object()) << list.out << list.err;
    expectQueltAsListed(facts["quelt"], runInFreshFolder(QUELT_PROGRAM, image));
    // quelt-cp copies from D88 images only.
    for (const json& disk : facts["d88"].get<bool>() ? facts["disks"] : json::array()) {
        if (disk["header_read"].get<bool>() &&
            disk["directory"]["state"] == "this_file_system") {
            expectCopyAsListed(image, disk);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Images, DamageAgreement, testing::ValuesIn(agreementImages()), rowName);

}  // namespace
}  // namespace queltests
