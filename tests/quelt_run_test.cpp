// End-to-end runs of the built quelt: each case is an image recipe and what the
// run must print, return and write, compared byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "support/expected_run.h"
#include "samples/game_disk.h"
#include "support/run_case.h"
#include "support/run_tool.h"
#include "tool/messages.h"

namespace queltests {
using namespace d88build;
namespace {

namespace fs = std::filesystem;

std::array<MusicPiece, kMusicPieces> piecesWith(int index, MusicPiece piece) {
    std::array<MusicPiece, kMusicPieces> pieces = makeSampleSet().pieces;
    pieces[static_cast<size_t>(index)] = piece;
    return pieces;
}

// A complete run whose music table was replaced: pieces come from the buffer model.
Case completeRunWithPieces(const std::array<MusicPiece, kMusicPieces>& pieces) {
    SampleSet set = makeSampleSet();
    setMusicTable(set, pieces);
    return queltests::completeRun(set);
}

// A complete run on the set's disks in the given order, which finds the demo,
// main and scenario disk as the disks numbered `demo`, `main` and `scenario`.
Case completeRunOn(const SampleSet& set, std::initializer_list<const Disk*> disks, int demo,
                   int main, int scenario) {
    Case c = runOn(set, disks);
    c.out = demoLines(demo) + mainLines(main) + scenarioLines(scenario, set) + completeMessage;
    return c;
}

// A disk carrying the demo signature in its standard fill.
Disk demoLikeDisk(uint8_t seed) {
    Disk disk(40, seed);
    Bytes& sector = disk.sector(kSignatureTrack, kSignatureSector);
    std::copy(kDemoSignature.begin(), kDemoSignature.end(), sector.begin());
    return disk;
}

// One disk holding "startup", "sud_data" and "bgmscore" of the set: it is both the
// main and the scenario disk.
Disk mainAndScenarioDisk(const SampleSet& set) {
    Disk disk(40, 0x77);
    formatGameFs(disk);
    addFile(disk, "startup", set.startup, {150, 151, 152, 153, 154});
    addFile(disk, "sud_data", set.sudData, {155, 156, 157});
    addBgmscore(disk, set);
    disk.writeRun(kFmdriverRun.track, kFmdriverRun.r, runBytes(set.main, kFmdriverRun));
    return disk;
}

Case completeRun() {
    return queltests::completeRun(makeSampleSet());
}

// The complete run, stopped by a failure to write `output`: the output ends with
// that file's progress line, and it and the files after it are not written.
Case writeFailsAt(const std::string& output) {
    Case c = completeRun();
    size_t line = c.out.find("cutting ... " + output);
    c.out.resize(c.out.find('\n', line) + 1);
    c.err = cannotWriteMessage;
    c.status = 1;
    std::vector<std::string> names = queltOutputNames();
    for (auto name = std::find(names.begin(), names.end(), output); name != names.end(); ++name) {
        c.files.erase(*name);
    }
    return c;
}

// The image is kept under the name of an output (or a link of that name points
// at it): that output fails as one that cannot be created, and the image stays.
Case imageNamedAs(const std::string& output, void (*place)(const fs::path&, const fs::path&)) {
    Case c = writeFailsAt(output);
    c.files[output] = c.image;
    c.prepare = [output, place](const fs::path& work) { place(work / kImageName, work / output); };
    return c;
}

Case imageRenamedTo(const std::string& output) {
    Case c = imageNamedAs(output, [](const fs::path& image, const fs::path& name) {
        fs::rename(image, name);
    });
    c.args = {output};
    return c;
}

// bgmscore's last cluster (11: track 5, R 9), which holds its final 848 bytes, is missing.
Case bgmscoreWithAMissingSector() {
    SampleSet set = makeSampleSet();
    Disk damaged = set.scenario;
    damaged.removeSector(5, 9);
    Bytes holed = set.bgmscore;
    std::fill(holed.begin() + 49152, holed.end(), 0);
    Case c = runOn(set, {&set.demo, &set.main, &damaged});
    c.out = completeRunOutput(set);
    c.err = partlyUnreadable("bgmscore");
    c.status = 1;
    c.files = merged({piecesFrom(set, holed), c.files});
    return c;
}

const NamedCase runCases[] = {
    {"CompleteSampleSet", completeRun},
    {"EmptyImageHasNoMainDisk", [] { return noMainDiskRun({}, nullptr); }},
    {"ImageWithAJapaneseName",
     [] {
         Case c = completeRun();
         c.prepare = giveImageAJapaneseName;
         c.args = {kJapaneseImageName};
         c.files[kJapaneseImageName] = c.image;
         return c;
     }},
    {"ShortOfOneHeaderHasNoMainDisk",
     [] {
         Bytes image = makeSampleSet().demo.bytes();
         image.resize(kHeaderSize - 1);
         return noMainDiskRun(image, nullptr);
     }},
    // ---- The demo disk ----
    {"DemoDiskAloneStillNeedsAMainDisk",
     [] {
         SampleSet set = makeSampleSet();
         return noMainDiskRun(set.demo.bytes(), &set.demo);
     }},
    {"SecondDemoDiskOverwritesTheFirstOnesFiles",
     [] {
         SampleSet set = makeSampleSet();
         Disk second = demoLikeDisk(0x66);
         Case c = runOn(set, {&set.demo, &second, &set.main, &set.scenario});
         c.out = demoLines(1) + demoLines(2) + mainLines(3) + scenarioLines(4, set) +
                 completeMessage;
         c.files = merged({demoFiles(second), c.files});
         return c;
     }},
    {"StaleSignatureInTheBufferNeverMakesADemoDisk",
     [] {
         // The first disk's last cut leaves the signature at the buffer's start;
         // the next disk lacks the signature sector.
         SampleSet set = makeSampleSet();
         Bytes edmus = runBytes(set.demo, kEdmusRun);
         std::copy(kDemoSignature.begin(), kDemoSignature.end(), edmus.begin());
         set.demo.writeRun(kEdmusRun.track, kEdmusRun.r, edmus);
         Disk noSignatureSector(40, 0x67);
         noSignatureSector.removeSector(kSignatureTrack, kSignatureSector);
         return completeRunOn(set, {&set.demo, &noSignatureSector, &set.main, &set.scenario}, 1,
                              3, 4);
     }},
    {"SignatureSectorOfThirtyBytesCounts",
     [] {
         SampleSet set = makeSampleSet();
         set.demo.sector(kSignatureTrack, kSignatureSector).resize(30);
         return queltests::completeRun(set);
     }},
    {"SignatureSectorOfTwentyNineBytesDoesNot",
     [] {
         SampleSet set = makeSampleSet();
         set.demo.sector(kSignatureTrack, kSignatureSector).resize(29);
         Case c = runOn(set, {&set.demo, &set.main, &set.scenario});
         c.out = mainLines(2) + scenarioLines(3, set) + completeMessage;
         c.files = merged({mainFiles(set.main), scenarioOutputs(set)});
         return c;
     }},
    {"MissingSectorInADemoCutIsWrittenButReported",
     [] {
         SampleSet set = makeSampleSet();
         Disk damaged = set.demo;
         damaged.removeSector(2, 12);
         Case c = runOn(set, {&damaged, &set.main, &set.scenario});
         c.out = completeRunOutput(set);
         c.err = partlyUnreadable("opdrv");
         c.status = 1;
         // R 9 to 11 were read; the rest is what the buffer held: zeros.
         Bytes opdrv = set.demo.readRun(2, 9, 3 * 256);
         opdrv.resize(3584, 0);
         c.files["opdrv"] = opdrv;
         return c;
     }},
    // ---- The main disk ----
    {"OnlyTheFirstDiskListingStartupIsTheMainDisk",
     [] {
         SampleSet set = makeSampleSet();
         Bytes otherStartup = pattern(9000, 0x70);
         Disk laterMain = makeMainDisk(otherStartup);
         return completeRunOn(set, {&set.demo, &set.main, &laterMain, &set.scenario}, 1, 2, 4);
     }},
    {"DemoDiskListingStartupIsNeverTheMainDisk",
     [] {
         SampleSet set = makeSampleSet();
         Disk demo = set.demo;
         formatGameFs(demo);
         addFile(demo, "startup", set.startup, {150, 151, 152, 153, 154});
         return noMainDiskRun(concat({&demo, &set.scenario}), &demo);
     }},
    {"MainDiskWithoutAScenarioDisk",
     [] {
         SampleSet set = makeSampleSet();
         return noScenarioDiskRun(set, concat({&set.demo, &set.main}));
     }},
    {"ShortStartupLeavesZerosInTheMusicTableTail",
     [] {
         // "startup" ends 60 bytes into the table: records 10 to 17 read as zeros.
         SampleSet set = makeSampleSet();
         set.startup.resize(kMusicTableOffset + 60);
         set.main = makeMainDisk(set.startup);
         for (int j = 10; j < kMusicPieces; ++j) {
             set.pieces[static_cast<size_t>(j)] = {0, 0, 0};
         }
         return queltests::completeRun(set);
     }},
    // ---- The scenario disk ----
    {"ScenarioDiskBeforeTheMainDisk",
     [] {
         SampleSet set = makeSampleSet();
         return completeRunOn(set, {&set.scenario, &set.demo, &set.main}, 2, 3, 1);
     }},
    {"MainDiskIsAlsoTheScenarioDisk",
     [] {
         SampleSet set = makeSampleSet();
         Disk both = mainAndScenarioDisk(set);
         return completeRunOn(set, {&set.demo, &both, &set.scenario}, 1, 2, 2);
     }},
    {"DemoDiskIsACandidateOfTheSecondPass",
     [] {
         SampleSet set = makeSampleSet();
         Disk demo = set.demo;
         formatGameFs(demo);
         addFile(demo, "sud_data", set.sudData, {155, 156, 157});
         addBgmscore(demo, set);
         Case c = completeRunOn(set, {&demo, &set.main, &set.scenario}, 1, 2, 1);
         c.files = merged({demoFiles(demo), c.files});
         return c;
     }},
    {"OnlyTheFirstDiskListingBgmscoreIsUsed",
     [] {
         SampleSet set = makeSampleSet();
         Disk later = makeScenarioDisk(pattern(3000, 0x71), pattern(40000, 0x72));
         Case c = queltests::completeRun(set);
         c.image = concat({&set.demo, &set.main, &set.scenario, &later});
         return c;
     }},
    {"DiskWithoutADirectoryIsNotJudgedByTheLastOneRead",
     [] {
         // The main disk's directory (read last in the first pass) lists
         // "bgmscore"; the first disk of the second pass has no directory.
         SampleSet set = makeSampleSet();
         Disk both = mainAndScenarioDisk(set);
         Disk noDirectory(40, 0x78);
         noDirectory.removeTrack(40);
         Case c = runOn(set, {&noDirectory, &both});
         c.out = mainLines(2) + scenarioLines(2, set) + completeMessage;
         c.files = merged({mainFiles(both), scenarioOutputs(set)});
         return c;
     }},
    {"MissingSudDataGivesAnEmptyFile",
     [] {
         SampleSet set = makeSampleSet();
         Disk scenario(40, 0x33);
         formatGameFs(scenario);
         addBgmscore(scenario, set);
         Case c = runOn(set, {&set.demo, &set.main, &scenario});
         std::string lines = scenarioLines(3, set);
         std::string withSudData = formatted(loadingFormat, "sud_data") +
                                   sliceLine("sud_data", 0, static_cast<unsigned>(set.sudData.size()));
         lines.replace(lines.find(withSudData), withSudData.size(), sliceLine("sud_data", 0, 0));
         c.out = demoLines(1) + mainLines(2) + lines + completeMessage;
         c.files["sud_data"] = {};
         return c;
     }},
    {"PieceOffsetWiderThanFourDigits",
     [] { return completeRunWithPieces(piecesWith(4, {0x40, 0x0010, 0x0020})); }},
    {"PieceAtTheLargestSegmentAndOffsetIsEmptyAndReported",
     [] {
         Case c = completeRunWithPieces(piecesWith(6, {0xFFFF, 0xFFFF, 0x0100}));
         c.err = partlyUnreadable("mus06");
         c.status = 1;
         return c;
     }},
    {"PieceReachingPastTheBufferKeepsWhatLiesInside",
     [] {
         Case c = completeRunWithPieces(piecesWith(17, {255, 0x07F0, 0x0040}));
         c.err = partlyUnreadable("mus17");
         c.status = 1;
         return c;
     }},
    {"MissingSectorInBgmscoreIsReportedAfterTheRun", bgmscoreWithAMissingSector},
    {"OutputThatCannotBeWrittenStopsTheRun",
     [] {
         Case c = writeFailsAt("mus03");
         c.prepare = [](const fs::path& work) { fs::create_directory(work / "mus03"); };
         return c;
     }},
    // ---- The image is never written over ----
    {"ImageNamedFmdriver", [] { return imageRenamedTo("fmdriver"); }},
    {"ImageNamedSudData", [] { return imageRenamedTo("sud_data"); }},
    {"HardLinkToTheImageNamedLikeAnOutput",
     [] {
         return imageNamedAs("opefc", [](const fs::path& image, const fs::path& link) {
             fs::create_hard_link(image, link);
         });
     }},
};

#ifndef _WIN32
// The run at the edges of a POSIX system: links, pipes, limits and full streams.
const NamedCase posixCases[] = {
    {"SymbolicLinkToTheImageNamedLikeAnOutput",
     [] {
         return imageNamedAs("mus00", [](const fs::path& image, const fs::path& link) {
             fs::create_symlink(image.filename(), link);
         });
     }},
    {"ImageThroughAPipe",
     [] {
         Case c = completeRun();
         c.args = {"/dev/stdin"};
         c.around.before = std::string("cat ") + kImageName + " | ";
         return c;
     }},
    {"ImageThroughAFifo",
     [] {
         Case c = completeRun();
         c.args = {"set.fifo"};
         c.prepare = [](const fs::path& work) { mkfifo((work / "set.fifo").c_str(), 0600); };
         c.around.before = std::string("cat ") + kImageName + " >set.fifo & ";
         return c;
     }},
    {"StreamEndingEarlyIsATruncatedImage",
     [] {
         // The stream ends inside the scenario disk's header.
         SampleSet set = makeSampleSet();
         Case c = noScenarioDiskRun(set, concat({&set.demo, &set.main, &set.scenario}));
         const size_t cut = set.demo.bytes().size() + set.main.bytes().size() + kHeaderSize / 2;
         c.args = {"/dev/stdin"};
         c.around.before = "head -c " + std::to_string(cut) + " " + kImageName + " | ";
         return c;
     }},
    {"FileSizeLimitIsAWriteFailure",
     [] {
         // Every output before sud_data (5,000 bytes) fits under the limit.
         constexpr size_t limit = 4608;
         Case c = writeFailsAt("sud_data");
         c.around.fileSizeLimit = limit;
         const Bytes sudData = makeSampleSet().sudData;
         c.files["sud_data"] = Bytes(sudData.begin(), sudData.begin() + limit);
         return c;
     }},
    {"StandardOutputThatCannotBeWritten",
     [] {
         Case c = completeRun();
         c.around.streams = Streams::outputToFull;
         c.out.clear();
         c.err = stdoutFailedMessage;
         c.status = 1;
         return c;
     }},
    {"OneLogKeepsTheLinesInOrder",
     [] {
         // The warning follows bgmscore's loading line, before the first piece.
         Case c = bgmscoreWithAMissingSector();
         const std::string loading = formatted(loadingFormat, "bgmscore");
         c.out.insert(c.out.find(loading) + loading.size(), c.err);
         c.err.clear();
         c.around.streams = Streams::oneLog;
         return c;
     }},
};
#endif

END_TO_END_TEST(QueltRun, PrintsReturnsAndWritesExactly, QUELT_PROGRAM);

END_TO_END_ROWS(Cases, QueltRun, runCases);
#ifndef _WIN32
END_TO_END_ROWS(Posix, QueltRun, posixCases);
#endif

}  // namespace
}  // namespace queltests
