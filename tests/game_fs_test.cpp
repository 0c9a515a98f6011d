// The disks' own file system on images built in code: directory lookups, the
// cluster geometry and chains, and what a load does with damaged disks.
#include <gtest/gtest.h>

#include <cstring>

#include "common/work_buffer.h"
#include "gamefs/game_fs.h"
#include "samples/game_disk.h"
#include "support/test_folder.h"

namespace queltests {
using namespace d88build;
namespace {

class GameFsTest : public testing::Test {
protected:
    GameFsTest() : disk_(40, 7) { formatGameFs(disk_); }

    void SetUp() override {
        std::memset(workBuffer, 0xEE, workBufferSize);
        clearGameFsTables();
    }

    // Writes the disk (and any further disks) to a file, selects the first one
    // and reads its directory.
    void openAndLoadDirectory(std::initializer_list<Bytes> more = {}) {
        Bytes image = disk_.bytes();
        for (const Bytes& disk : more) {
            image.insert(image.end(), disk.begin(), disk.end());
        }
        ASSERT_TRUE(openInFreshFolder(image_, image));
        selectAndLoad(0);
    }

    void selectAndLoad(int disk) {
        image_.selectDisk(disk);
        image_.setSectorRange(firstSectorNumber, lastSectorNumber);
        loadDirectory(image_);
    }

    // Links the allocation table along `links`: each cluster names the next; the
    // last value is what the last cluster holds.
    void linkClusters(std::initializer_list<int> links) {
        for (auto at = links.begin(); at + 1 != links.end(); ++at) {
            setAllocation(disk_, *at, static_cast<uint8_t>(*(at + 1)));
        }
    }

    LoadResult load(const char* name) { return loadFile(image_, name); }

    Bytes loaded(size_t from, size_t length) const {
        return Bytes(workBuffer + from, workBuffer + from + length);
    }

    // Loads `name` and expects its size, whether it loaded whole, and the buffer
    // to hold `bytes` bytes read as one run from `track` and nothing after them.
    void expectLoad(const char* name, int32_t size, bool complete, int track, size_t bytes) {
        const LoadResult result = load(name);
        EXPECT_EQ(result.size, size);
        EXPECT_EQ(result.complete, complete);
        EXPECT_EQ(loaded(0, bytes), disk_.readRun(track, 1, bytes));
        EXPECT_EQ(workBuffer[bytes], 0xEE);
    }

    Disk disk_;
    D88Image image_;
};

TEST_F(GameFsTest, LoadsAFileByItsChainWhereverItsClustersLie) {
    // Odd and even clusters, both heads, a chain that steps back and a cluster
    // that begins a new cylinder (cluster 8 is track 4, C 2).
    Bytes content = pattern(4 * 2048 + 300, 1);
    addFile(disk_, "chained", content, {3, 8, 5, 2, 15});
    openAndLoadDirectory();
    LoadResult result = load("chained");
    EXPECT_EQ(result.size, static_cast<int32_t>(content.size()));
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.entry, 0);
    EXPECT_EQ(loaded(0, content.size()), content);
    EXPECT_EQ(workBuffer[content.size()], 0xEE);  // the last read takes just the rest
}

TEST_F(GameFsTest, FileEndingInItsFirstClusterIsReadInOneRunOfItsSize) {
    // The one read of `size` bytes runs past the cluster into the next track.
    setEntry(disk_, 0, "onerun", 5000, 7);
    setAllocation(disk_, 7, 0xC5);
    openAndLoadDirectory();
    EXPECT_EQ(load("onerun").size, 5000);
    EXPECT_EQ(loaded(0, 5000), disk_.readRun(3, 9, 5000));
}

TEST_F(GameFsTest, FinalReadTakesTheRestOfTheSizeEvenPastItsCluster) {
    setEntry(disk_, 0, "longtail", 2048 + 3000, 10);
    linkClusters({10, 20, 0xC0});
    openAndLoadDirectory();
    EXPECT_EQ(load("longtail").size, 5048);
    EXPECT_EQ(loaded(0, 2048), disk_.readRun(5, 1, 2048));
    EXPECT_EQ(loaded(2048, 3000), disk_.readRun(10, 1, 3000));
}

TEST_F(GameFsTest, EveryFullClusterOfTheChainIsReadWhateverTheSize) {
    setEntry(disk_, 0, "oversize", 100, 30);
    linkClusters({30, 31, 32, 0xFF});
    openAndLoadDirectory();
    expectLoad("oversize", 100, true, 15, 4096);
}

TEST_F(GameFsTest, EmptyFileLoadsNothingButIsFound) {
    setEntry(disk_, 0, "empty", 0, 12);
    setAllocation(disk_, 12, 0xC0);
    openAndLoadDirectory();
    LoadResult result = load("empty");
    EXPECT_EQ(result.size, 0);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.entry, 0);
    EXPECT_EQ(workBuffer[0], 0xEE);
}

TEST_F(GameFsTest, NameNotListedLoadsNothing) {
    addFile(disk_, "present", pattern(100, 2), {12});
    openAndLoadDirectory();
    EXPECT_FALSE(findFile("absent"));
    EXPECT_FALSE(findFile("presen"));
    EXPECT_FALSE(findFile("present2"));
    EXPECT_TRUE(findFile("present"));
    LoadResult result = load("absent");
    EXPECT_EQ(result.size, 0);
    EXPECT_EQ(result.entry, -1);
    EXPECT_EQ(workBuffer[0], 0xEE);
}

TEST_F(GameFsTest, EightCharacterNameNeedsAZeroAfterItForFindFile) {
    addFile(disk_, "first", pattern(10, 3), {12});
    Bytes content = pattern(600, 4);
    addFile(disk_, "bgmscore", content, {13});
    addFile(disk_, "later", pattern(10, 5), {14});
    setEntry(disk_, 1, "bgmscore", 600, 13, 'X');
    setEntry(disk_, 2, "later", 10, 14, 'Y');
    openAndLoadDirectory();
    EXPECT_FALSE(findFile("bgmscore"));
    LoadResult result = load("bgmscore");
    EXPECT_EQ(result.size, 600);
    ASSERT_EQ(result.entry, 1);
    EXPECT_EQ(entryName(directoryTable[1]), "bgmscore");
    EXPECT_EQ(loaded(0, 600), content);
    // The bytes findEntryToLoad zeroed up to the entry it found stay zero; later ones stay.
    EXPECT_TRUE(findFile("bgmscore"));
    EXPECT_EQ(directoryTable[1].afterName, 0);
    EXPECT_EQ(directoryTable[2].afterName, 'Y');
}

TEST_F(GameFsTest, DiskWithoutAReadableDirectoryListsNoFiles) {
    addFile(disk_, "startup", pattern(100, 6), {12});
    Disk noTrack40(40, 8), noTable(40, 9);
    noTrack40.removeTrack(40);
    formatGameFs(noTable);
    addFile(noTable, "startup", pattern(100, 6), {12});
    noTable.removeSector(40, 16);
    openAndLoadDirectory({noTrack40.bytes(), noTable.bytes()});
    EXPECT_TRUE(findFile("startup"));
    for (int disk : {1, 2}) {
        selectAndLoad(0);
        selectAndLoad(disk);
        EXPECT_FALSE(findFile("startup")) << disk;
        EXPECT_EQ(allocationTable[12], 0) << disk;
        EXPECT_EQ(load("startup").size, 0);
    }
}

TEST_F(GameFsTest, LoopingChainStopsAtTheClusterItComesBackTo) {
    setEntry(disk_, 0, "loop", 60000, 20);
    linkClusters({20, 21, 22, 21});
    openAndLoadDirectory();
    expectLoad("loop", 60000, false, 10, 3 * 2048);
}

TEST_F(GameFsTest, MissingSectorEndsItsClusterButTheChainGoesOn) {
    Bytes content = pattern(2 * 2048 + 10, 7);
    addFile(disk_, "holed", content, {24, 26, 28});
    disk_.removeSector(12, 3);
    openAndLoadDirectory();
    LoadResult result = load("holed");
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(loaded(0, 512), Bytes(content.begin(), content.begin() + 512));
    EXPECT_EQ(workBuffer[512], 0xEE);
    EXPECT_EQ(loaded(2048, 2058), Bytes(content.begin() + 2048, content.end()));
}

TEST_F(GameFsTest, TruncatedFinalReadIsReported) {
    // The one read of 3000 bytes runs from cluster 39 (track 19) into track 20.
    setEntry(disk_, 0, "cut", 3000, 39);
    setAllocation(disk_, 39, 0xC0);
    disk_.removeTrack(20);
    openAndLoadDirectory();
    LoadResult result = load("cut");
    EXPECT_EQ(result.size, 3000);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(loaded(0, 2048), disk_.readRun(19, 9, 2048));
    EXPECT_EQ(workBuffer[2048], 0xEE);
}

}  // namespace
}  // namespace queltests
