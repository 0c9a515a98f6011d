// The rules the programs judge images by, called directly: the passes that
// give disks their roles, the directory's verdict and its reasons, how much of
// a track the file holds, the header check's reasons, and the small counts and
// bounds they use. A fault here fails without a program run.
#include <gtest/gtest.h>

#include <bitset>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/plural.h"
#include "common/work_buffer.h"
#include "gamefs/game_fs.h"
#include "recognition/directory_rule.h"
#include "recognition/disk_roles.h"
#include "recognition/disk_verdict.h"
#include "recognition/header_check.h"
#include "recognition/track_presence.h"
#include "samples/game_disk.h"
#include "samples/other_disks.h"
#include "support/row_name.h"
#include "support/test_folder.h"

namespace queltests {
using namespace d88build;
namespace {

// ---- The passes

// A disk as the passes see it: its demo signature and the role files its
// directory lists.
struct PassDisk {
    bool signature;
    bool startup;
    bool bgmscore;
};

// Steps that answer from a table and log every question and verdict, in order:
// "v1" visits disk 1, "s" asks for the signature, "l:startup" for a listing,
// "D1", "M1", "S1" say disk 1 is the demo, main or scenario disk.
class LoggedSteps : public PassSteps {
public:
    explicit LoggedSteps(std::vector<PassDisk> disks) : disks_(std::move(disks)) {}
    void visit(int32_t disk) override {
        log("v" + std::to_string(disk));
        at_ = disk;
    }
    bool carriesDemoSignature() override {
        log("s");
        return current().signature;
    }
    bool listsFile(const char* name) override {
        log(std::string("l:") + name);
        return std::strcmp(name, startupFileName) == 0 ? current().startup : current().bgmscore;
    }
    void demoDisk(int32_t disk) override { log("D" + std::to_string(disk)); }
    void mainDisk(int32_t disk) override { log("M" + std::to_string(disk)); }
    void scenarioDisk(int32_t disk) override { log("S" + std::to_string(disk)); }
    int32_t count() const { return static_cast<int32_t>(disks_.size()); }
    const std::string& text() const { return log_; }

private:
    const PassDisk& current() const { return disks_[static_cast<size_t>(at_)]; }
    void log(const std::string& step) { log_ += (log_.empty() ? "" : " ") + step; }

    std::vector<PassDisk> disks_;
    int32_t at_ = 0;
    std::string log_;
};

struct PassesRow {
    const char* name;
    std::vector<PassDisk> disks;
    std::string log;  // both passes, " | " between them; no second part when it does not run
};

void PrintTo(const PassesRow& row, std::ostream* out) {
    *out << row.name;
}

constexpr PassDisk demoDisk{true, false, false};
constexpr PassDisk mainDisk{false, true, false};
constexpr PassDisk scenarioDisk{false, false, true};
constexpr PassDisk otherDisk{false, false, false};

const PassesRow passesRows[] = {
    {"TheSet", {demoDisk, mainDisk, scenarioDisk},
     "v0 s D0 v1 s l:startup M1 v2 s l:startup | v0 l:bgmscore v1 l:bgmscore v2 l:bgmscore S2"},
    {"OnlyTheFirstMainDisk", {mainDisk, mainDisk, scenarioDisk},
     "v0 s l:startup M0 v1 s l:startup v2 s l:startup | "
     "v0 l:bgmscore v1 l:bgmscore v2 l:bgmscore S2"},
    {"EveryDemoDiskAndNoneOfItsDirectory", {{true, true, true}, demoDisk, mainDisk},
     "v0 s D0 v1 s D1 v2 s l:startup M2 | v0 l:bgmscore S0 v1 l:bgmscore v2 l:bgmscore"},
    {"ScenarioDiskBeforeTheMainDisk", {scenarioDisk, mainDisk},
     "v0 s l:startup v1 s l:startup M1 | v0 l:bgmscore S0 v1 l:bgmscore"},
    {"MainDiskIsAlsoTheScenarioDisk", {{false, true, true}, scenarioDisk},
     "v0 s l:startup M0 v1 s l:startup | v0 l:bgmscore S0 v1 l:bgmscore"},
    {"NoMainDiskNoSecondPass", {demoDisk, scenarioDisk, otherDisk},
     "v0 s D0 v1 s l:startup v2 s l:startup"},
    {"NoScenarioDisk", {mainDisk, otherDisk},
     "v0 s l:startup M0 v1 s l:startup | v0 l:bgmscore v1 l:bgmscore"},
    {"NoDisk", {}, ""},
};

class Passes : public testing::TestWithParam<PassesRow> {};

TEST_P(Passes, AskAndTellInQueltsOrder) {
    LoggedSteps steps(GetParam().disks);
    const bool mainFound = runFirstPass(steps.count(), steps);
    std::string log = steps.text();
    if (secondPassRuns(mainFound)) {
        LoggedSteps second(GetParam().disks);
        runSecondPass(second.count(), second);
        log += " | " + second.text();
    }
    EXPECT_EQ(log, GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(Rows, Passes, testing::ValuesIn(passesRows), rowName);

// ---- A disk's directory, judged on images built here

struct DirectoryRow {
    const char* name;
    std::function<Bytes()> image;
    DirectoryState state;
    std::string reason;
    int32_t usedEntries = 0;
    int32_t linkedClusters = 0;
};

void PrintTo(const DirectoryRow& row, std::ostream* out) {
    *out << row.name;
}

// A game disk of `entries` used entries, all in cluster 30, whose names hold
// control codes but the first `plausible`; cluster 30 ends the chain, or with
// `looping` leads back to itself.
Bytes implausibleEntries(int plausible, int entries, bool looping = false) {
    Disk disk(40, 0x73);
    formatGameFs(disk);
    for (int slot = 0; slot < entries; ++slot) {
        setEntry(disk, slot, slot < plausible ? "good" : "\x01\x02", 10, 30);
    }
    setAllocation(disk, 30, looping ? 30 : kEndOfChain);
    return disk.bytes();
}

// Track 40's entry points at track 41's records (cylinder 20, head 1).
Bytes trackOfOtherIds() {
    Disk disk = gameDisk();
    disk.setTrackEntry(kSystemTrack, disk.trackOffset(kSystemTrack + 1));
    return disk.bytes();
}

// Sector 16 of track 40 holds 100 bytes.
Bytes shortAllocationSector() {
    Disk disk = gameDisk();
    disk.sector(kSystemTrack, kAllocationSector).resize(100);
    return disk.bytes();
}

const DirectoryRow directoryRows[] = {
    {"GameDirectory", [] { return gameDisk().bytes(); }, DirectoryState::thisFileSystem, "", 1, 1},
    {"FormattedAndEmpty",
     [] {
         Disk disk;
         formatGameFs(disk);
         return disk.bytes();
     },
     DirectoryState::empty, "", 0, 0},
    // Only the 160 clusters of the disk's 80 tracks are counted of the table's 256.
    {"AllZeroTrackIsZeroFill", [] { return zeroDisk().bytes(); },
     DirectoryState::notThisFileSystem, "zero fill", 0, 160},
    {"OneByteFill", [] { return filledDirectoryDisk(0xE5).bytes(); },
     DirectoryState::notThisFileSystem, "every used entry is one byte repeated", 48, 0},
    {"NineSectorsOf512Bytes", [] { return uniformDisk(9, 2, 0xF6).bytes(); },
     DirectoryState::notThisFileSystem, "track 40 holds 9 sectors of 512 bytes"},
    {"SectorsNumberedAsAnotherTrack", trackOfOtherIds, DirectoryState::notThisFileSystem,
     "track 40 holds 16 sectors of 256 bytes, not numbered 1 to 16 on cylinder 20, head 0"},
    {"TrackTableEndsBeforeTheDirectory", [] { return Disk(20).bytes(); },
     DirectoryState::notThisFileSystem, "the track table names no track from 40 on"},
    {"DirectoryTrackMissing",
     [] {
         Disk disk = gameDisk();
         disk.removeTrack(kSystemTrack);
         return disk.bytes();
     },
     DirectoryState::unreadable, "track 40 is missing from the track table"},
    {"DirectorySectorMissing", [] { return gameDiskWithout(14).bytes(); },
     DirectoryState::unreadable, "sector 14 of track 40 cannot be read whole"},
    {"AllocationSectorShort", shortAllocationSector, DirectoryState::unreadable,
     "sector 16 of track 40 cannot be read whole"},
    {"FileEndsInsideTheDirectoryTrack", [] { return cutInTrack(gameDisk(), kSystemTrack, 3000); },
     DirectoryState::unreadable, "track 40 is cut short by the end of the file"},
    {"FileEndsBeforeTheDirectoryTrack", [] { return cutInTrack(gameDisk(), kSystemTrack, -10); },
     DirectoryState::unreadable, "track 40 lies past the end of the file"},
    {"FewPlausibleEntries", [] { return implausibleEntries(1, 3); },
     DirectoryState::notThisFileSystem,
     "only 1 of 3 used entries have a name that ends and a chain that ends", 3, 0},
    {"HalfThePlausibleEntriesAreEnough", [] { return implausibleEntries(1, 2); },
     DirectoryState::thisFileSystem, "", 2, 0},
    {"ChainThatLoopsIsNotPlausible", [] { return implausibleEntries(1, 1, true); },
     DirectoryState::notThisFileSystem,
     "only 0 of 1 used entry has a name that ends and a chain that ends", 1, 1},
};

class DirectoryVerdicts : public testing::TestWithParam<DirectoryRow> {};

TEST_P(DirectoryVerdicts, SayWhatTheDirectoryIs) {
    const DirectoryRow& row = GetParam();
    D88Image image;
    ASSERT_TRUE(openInFreshFolder(image, row.image()));
    clearGameFsTables();
    const DirectoryVerdict verdict = judgeDisk(image, 0, workBuffer).directory;
    EXPECT_EQ(static_cast<int>(verdict.state), static_cast<int>(row.state));
    EXPECT_EQ(verdict.reason, row.reason);
    EXPECT_EQ(verdict.usedEntries, row.usedEntries);
    EXPECT_EQ(verdict.linkedClusters, row.linkedClusters);
    EXPECT_EQ(verdict.allocationFormatted(), row.linkedClusters == 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, DirectoryVerdicts, testing::ValuesIn(directoryRows), rowName);

// ---- How much of a track the file holds

struct PresenceRow {
    const char* name;
    std::function<Bytes()> image;
    int track;
    TrackPresence presence;
};

void PrintTo(const PresenceRow& row, std::ostream* out) {
    *out << row.name;
}

const PresenceRow presenceRows[] = {
    {"LastTrackWhole", [] { return Disk().bytes(); }, 79, TrackPresence::whole},
    {"Absent", [] { return Disk().bytes(); }, 80, TrackPresence::absent},
    {"CutShortByOneByte", [] { return cutInTrack(Disk(), 79, 16 * (256 + 16) - 1); }, 79,
     TrackPresence::cutShort},
    {"CutAtItsFirstByte", [] { return cutInTrack(Disk(), 41, 1); }, 41, TrackPresence::cutShort},
    {"CutJustBeforeIt", [] { return cutInTrack(Disk(), 41, 0); }, 41, TrackPresence::pastFileEnd},
    {"TheTrackBeforeTheCutIsWhole", [] { return cutInTrack(Disk(), 41, 0); }, 40,
     TrackPresence::whole},
};

class TrackPresences : public testing::TestWithParam<PresenceRow> {};

TEST_P(TrackPresences, SayHowMuchTheFileHolds) {
    D88Image image;
    ASSERT_TRUE(openInFreshFolder(image, GetParam().image()));
    ASSERT_TRUE(image.selectDisk(0));
    EXPECT_EQ(static_cast<int>(trackPresence(image, 0, GetParam().track)),
              static_cast<int>(GetParam().presence));
}

INSTANTIATE_TEST_SUITE_P(Rows, TrackPresences, testing::ValuesIn(presenceRows), rowName);

// ---- Texts and counts

struct SectorsRow {
    int32_t records;
    std::vector<int> codes;
    const char* text;
};

TEST(SectorsText, NamesCountAndSizes) {
    const SectorsRow rows[] = {
        {9, {2}, "9 sectors of 512 bytes"},
        {1, {1}, "1 sector of 256 bytes"},
        {1, {0}, "1 sector of 128 bytes"},
        {2, {8}, "2 sectors of 32768 bytes"},
        {3, {9}, "3 sectors of size code 9"},
        {12, {1, 2}, "12 sectors of sizes 256 bytes, 512 bytes"},
        {4, {8, 255}, "4 sectors of sizes 32768 bytes, size code 255"},
    };
    for (const SectorsRow& row : rows) {
        std::bitset<256> codes;
        for (int code : row.codes) {
            codes.set(static_cast<size_t>(code));
        }
        EXPECT_EQ(sectorsText(row.records, codes), row.text);
    }
}

TEST(Counted, TakesTheNounsNumber) {
    EXPECT_EQ(counted(0, "byte", "bytes"), "0 bytes");
    EXPECT_EQ(counted(1, "byte", "bytes"), "1 byte");
    EXPECT_EQ(counted(2, "entry", "entries"), "2 entries");
    EXPECT_EQ(counted(-1, "byte", "bytes"), "-1 bytes");
}

TEST(HeaderFaults, GiveTheirReasons) {
    EXPECT_EQ(faultReason(HeaderFault::none, 0, 0), "");
    EXPECT_EQ(faultReason(HeaderFault::noDisk, 0, 0),
              "no disk: the file is shorter than a disk header (688 bytes)");
    EXPECT_EQ(faultReason(HeaderFault::sizeBelowHeader, 1, 0),
              "disk 1's size, 1 byte, is smaller than a disk header (688 bytes)");
    EXPECT_EQ(faultReason(HeaderFault::unknownMedia, 0, 0x58),
              "disk 1's track table points outside the disk, and its media byte 0x58 is none "
              "a D88 writer uses");
    EXPECT_EQ(faultReason(HeaderFault::sizePastFile, 4000000000u, 0),
              "disk 1's track table points outside the disk, and its size, 4000000000 bytes, "
              "runs past the end of the file");
}

TEST(WorkBufferSlices, CountOnlyTheBytesInside) {
    EXPECT_EQ(bytesInsideWorkBuffer(0, 100), 100);
    EXPECT_EQ(bytesInsideWorkBuffer(workBufferBytes - 10, 100), 10);
    EXPECT_EQ(bytesInsideWorkBuffer(workBufferBytes, 1), 0);
    EXPECT_EQ(bytesInsideWorkBuffer(-1, 10), 0);
    EXPECT_EQ(bytesInsideWorkBuffer(5, 0), 0);
    EXPECT_EQ(bytesInsideWorkBuffer(5, -3), 0);
}

TEST(SectorsOfALoad, FollowTheClustersAcrossTracks) {
    struct Row {
        int32_t cluster;
        int32_t after;
        SectorAddress sector;
    };
    const Row rows[] = {
        {0, 0, {0, 0, 0, 1, 1}},    {1, 0, {0, 0, 0, 9, 1}},    {1, 7, {0, 0, 0, 16, 1}},
        {1, 8, {1, 0, 1, 1, 1}},    {3, 8, {2, 1, 0, 1, 1}},    {153, 2, {76, 38, 0, 11, 1}},
        {255, 255, {143, 71, 1, 8, 1}},
    };
    for (const Row& row : rows) {
        const SectorAddress got = sectorOfLoad(row.cluster, row.after);
        EXPECT_EQ(std::vector<int32_t>({got.track, got.c, got.h, got.r, got.n}),
                  std::vector<int32_t>({row.sector.track, row.sector.c, row.sector.h,
                                        row.sector.r, row.sector.n}))
            << "cluster " << row.cluster << " + " << row.after;
    }
}

// An entry's name of eight bytes ends where its ninth byte says.
TEST(EntryRule, ANameEndsWithinNineBytes) {
    DirectoryEntry entry{};
    std::memcpy(entry.name, "eightchr", 8);
    EXPECT_TRUE(nameEnds(entry));
    entry.afterName = 'x';
    EXPECT_FALSE(nameEnds(entry));
}

}  // namespace
}  // namespace queltests
