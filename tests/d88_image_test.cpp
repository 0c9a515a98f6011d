// D88Image on images built in code: the disk index, disk selection, and the
// sector search by ID with its runs across tracks.
#include <gtest/gtest.h>

#include <cstring>

#include "image/d88_image.h"
#include "samples/d88_builder.h"
#include "support/test_folder.h"

namespace queltests {
using namespace d88build;
namespace {

class D88ImageTest : public testing::Test {
protected:
    void openImage(const Bytes& image) { ASSERT_TRUE(openInFreshFolder(image_, image)); }

    void openDisk(const Disk& disk) {
        openImage(disk.bytes());
        ASSERT_TRUE(image_.selectDisk(0));
    }

    int32_t read(int track, int c, int h, int r, int32_t maxLen = 256) {
        buffer_.assign(buffer_.size(), 0xEE);
        return image_.readSector({track, c, h, r, 1}, buffer_.data(), maxLen);
    }

    Bytes bufferStart(size_t length) const {
        return Bytes(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(length));
    }

    void expectNoDiskSelected() {
        EXPECT_EQ(image_.mediaType(), -1);
        EXPECT_EQ(image_.diskSize(), 0);
        EXPECT_STREQ(image_.diskName(), "");
    }

    D88Image image_;
    Bytes buffer_ = Bytes(8192, 0xEE);
};

Record record(int c, int h, int r, int n, int count, size_t length, uint8_t fill) {
    Record made;
    made.c = static_cast<uint8_t>(c);
    made.h = static_cast<uint8_t>(h);
    made.r = static_cast<uint8_t>(r);
    made.n = static_cast<uint8_t>(n);
    made.sectorCount = static_cast<uint16_t>(count);
    made.data.assign(length, fill);
    return made;
}

// ---- The disk index ----

TEST_F(D88ImageTest, IndexesDisksByTheirSizeFields) {
    Disk first(1, 1), second(2, 2), third(1, 3);
    second.setName("SECOND");
    second.setMediaType(0x10);
    Bytes a = first.bytes(), b = second.bytes();
    openImage(concat({a, b, third.bytes()}));
    ASSERT_EQ(image_.diskCount(), 3);
    EXPECT_EQ(image_.diskOffsetOf(1), static_cast<int32_t>(a.size()));
    EXPECT_EQ(image_.diskOffsetOf(2), static_cast<int32_t>(a.size() + b.size()));
    ASSERT_TRUE(image_.selectDisk(1));
    EXPECT_STREQ(image_.diskName(), "SECOND");
    EXPECT_EQ(image_.mediaType(), 0x10);
    EXPECT_EQ(image_.diskSize(), static_cast<int32_t>(b.size()));
    EXPECT_EQ(read(2, 1, 0, 5), 256);
    EXPECT_EQ(bufferStart(256), standardSector(2, 2, 5));
}

TEST_F(D88ImageTest, IndexesAtMostSixtyFourDisks) {
    Bytes image;
    for (int i = 0; i < 65; ++i) {
        Bytes disk = Disk(1, static_cast<uint8_t>(i)).bytes();
        image.insert(image.end(), disk.begin(), disk.end());
    }
    openImage(image);
    EXPECT_EQ(image_.diskCount(), 64);
    ASSERT_TRUE(image_.selectDisk(63));
    EXPECT_EQ(read(0, 0, 0, 1), 256);
    EXPECT_EQ(bufferStart(256), standardSector(63, 0, 1));
    EXPECT_FALSE(image_.selectDisk(64));
}

TEST_F(D88ImageTest, SizeFieldOfZeroRepeatsThatOffsetUpToTheLimit) {
    Disk first(1, 1), second(1, 2);
    second.setSizeField(0);
    Bytes a = first.bytes();
    openImage(concat({a, second.bytes()}));
    ASSERT_EQ(image_.diskCount(), 64);
    EXPECT_EQ(image_.diskOffsetOf(0), 0);
    for (int i = 1; i < 64; ++i) {
        EXPECT_EQ(image_.diskOffsetOf(i), static_cast<int32_t>(a.size()));
    }
}

TEST_F(D88ImageTest, SizeFieldLeavingTheSignedRangeEndsTheIndexAfterThatDisk) {
    for (uint32_t size : {0x7FFFFFF0u, 0xFFFFFFFFu, 0x80000000u}) {
        Disk first(1, 1), second(1, 2);
        first.setSizeField(size);
        openImage(concat({first.bytes(), second.bytes()}));
        EXPECT_EQ(image_.diskCount(), 1) << size;
    }
}

TEST_F(D88ImageTest, FileShorterThanOneHeaderOpensWithNoDisk) {
    Bytes header = Disk(1, 1).bytes();
    header.resize(kHeaderSize - 1);
    openImage(header);
    EXPECT_EQ(image_.diskCount(), 0);
    EXPECT_FALSE(image_.selectDisk(0));
}

TEST_F(D88ImageTest, NameRunsToTheFirstNulOrOverAllSixteenBytes) {
    Disk full(1, 1), shortName(1, 2);
    full.setName("ABCDEFGHIJKLMNOP");
    shortName.setName(std::string("ABC\0EFGH", 8));
    openImage(concat({full.bytes(), shortName.bytes()}));
    ASSERT_TRUE(image_.selectDisk(0));
    EXPECT_EQ(std::memcmp(image_.diskName(), "ABCDEFGHIJKLMNOP", 17), 0);
    ASSERT_TRUE(image_.selectDisk(1));
    EXPECT_EQ(std::memcmp(image_.diskName(), "ABC\0\0\0\0\0\0\0\0\0\0\0\0\0", 17), 0);
}

TEST_F(D88ImageTest, FailedSelectionLeavesNoDiskSelected) {
    Disk disk(1, 1);
    disk.setName("NAMED");
    openImage(disk.bytes());
    for (int32_t index : {1, -1}) {
        ASSERT_TRUE(image_.selectDisk(0));
        EXPECT_FALSE(image_.selectDisk(index));
        expectNoDiskSelected();
        EXPECT_EQ(read(0, 0, 0, 1), 0);
    }
}

TEST_F(D88ImageTest, ClosingForgetsTheDisksAndTheSelection) {
    openDisk(Disk(1, 1));
    image_.close();
    EXPECT_EQ(image_.diskCount(), 0);
    expectNoDiskSelected();
    EXPECT_FALSE(image_.selectDisk(0));
    EXPECT_EQ(read(0, 0, 0, 1), 0);
}

TEST_F(D88ImageTest, FailedOpenKeepsTheIndexButHoldsNoFile) {
    openImage(concat({Disk(1, 1).bytes(), Disk(1, 2).bytes()}));
    std::string folder = freshTestFolder("-second").string();
    EXPECT_FALSE(image_.open((folder + "/missing.d88").c_str()));
    EXPECT_FALSE(image_.open(folder.c_str()));
    EXPECT_EQ(image_.diskCount(), 2);
    EXPECT_FALSE(image_.selectDisk(0));
}

// ---- The sector search ----

TEST_F(D88ImageTest, SectorMatchesOnAllFourIdFieldsAndTheFirstOfTwoWins) {
    Disk disk(1, 1);
    disk.track(0) = {record(1, 0, 5, 1, 6, 256, 0xA1), record(0, 1, 5, 1, 6, 256, 0xA2),
                     record(0, 0, 5, 2, 6, 256, 0xA3), record(0, 0, 6, 1, 6, 256, 0xA4),
                     record(0, 0, 5, 1, 6, 256, 0xA5), record(0, 0, 5, 1, 6, 256, 0xA6)};
    openDisk(disk);
    EXPECT_EQ(read(0, 0, 0, 5), 256);
    EXPECT_EQ(bufferStart(256), Bytes(256, 0xA5));
    EXPECT_EQ(read(0, 1, 0, 5), 256);
    EXPECT_EQ(bufferStart(1), Bytes(1, 0xA1));
}

TEST_F(D88ImageTest, RecordWithCountZeroEndsTheSearchBeforeItsIdIsCompared) {
    Disk disk(1, 1);
    disk.track(0) = {record(0, 0, 1, 1, 3, 256, 0xB1), record(0, 0, 2, 1, 0, 256, 0xB2),
                     record(0, 0, 3, 1, 3, 256, 0xB3)};
    openDisk(disk);
    EXPECT_EQ(read(0, 0, 0, 1), 256);
    EXPECT_EQ(read(0, 0, 0, 2), 0);
    EXPECT_EQ(read(0, 0, 0, 3), 0);
}

TEST_F(D88ImageTest, EachRecordsOwnCountDecidesWhereTheSearchEnds) {
    Disk disk(1, 1);
    // Record 1 says the track has 2 sectors: the search ends after it.
    disk.track(0) = {record(0, 0, 1, 1, 9, 16, 1), record(0, 0, 2, 1, 2, 16, 2),
                     record(0, 0, 3, 1, 9, 16, 3)};
    // Record 0 says 1 sector; record 1 disagrees but is never reached.
    disk.track(1) = {record(0, 1, 1, 1, 1, 16, 4), record(0, 1, 2, 1, 16, 16, 5)};
    // Counts that never end the search: it goes on to the end of the track data.
    disk.track(2) = {record(1, 0, 1, 1, 9, 16, 6), record(1, 0, 2, 1, 1, 16, 7),
                     record(1, 0, 3, 1, 1, 16, 8)};
    openDisk(disk);
    EXPECT_EQ(read(0, 0, 0, 2, 16), 16);
    EXPECT_EQ(read(0, 0, 0, 3, 16), 0);
    EXPECT_EQ(read(1, 0, 1, 1, 16), 16);
    EXPECT_EQ(read(1, 0, 1, 2, 16), 0);
    EXPECT_EQ(read(2, 1, 0, 3, 16), 16);
    EXPECT_EQ(bufferStart(1), Bytes(1, 8));
}

TEST_F(D88ImageTest, TrackIsUsableOnlyWithAnEntryInsideTheDisk) {
    Disk disk(3, 1);
    disk.removeTrack(1);
    uint32_t endOfTrack3 = disk.trackOffset(4);
    disk.setSizeField(endOfTrack3);
    disk.setTrackEntry(4, endOfTrack3);          // equal to the size: usable
    disk.setTrackEntry(5, endOfTrack3 + 1);      // past the size
    disk.setTrackEntry(2, 0xFFFFFFFFu);          // negative
    openImage(disk.bytes());
    ASSERT_TRUE(image_.selectDisk(0));
    EXPECT_EQ(read(0, 0, 0, 1), 256);
    EXPECT_EQ(read(1, 0, 1, 1), 0);
    EXPECT_EQ(read(2, 1, 0, 1), 0);
    EXPECT_EQ(read(4, 2, 0, 1), 256);
    EXPECT_EQ(bufferStart(256), standardSector(1, 4, 1));
    EXPECT_EQ(read(5, 2, 1, 1), 0);
    EXPECT_EQ(read(164, 82, 0, 1), 0);
    uint8_t ids[64];
    EXPECT_EQ(image_.readTrackIds(5, ids, 64), 0);
    EXPECT_EQ(image_.readTrackIds(164, ids, 64), 0);
    EXPECT_EQ(image_.readSectors({2, 1, 0, 1, 1}, ids, 64), 0);
}

TEST_F(D88ImageTest, ReadReturnsTheBytesTheFileSupplied) {
    Disk disk(1, 1);
    disk.track(0)[3].data.resize(100);
    Bytes image = disk.bytes();
    image.resize(image.size() - 40);  // cuts the last sector of track 1 short
    openImage(image);
    ASSERT_TRUE(image_.selectDisk(0));
    EXPECT_EQ(read(0, 0, 0, 4), 100);
    EXPECT_EQ(read(0, 0, 0, 4, 50), 50);
    EXPECT_EQ(read(1, 0, 1, 16), 216);
    Bytes lastSector = standardSector(1, 1, 16);
    lastSector.resize(216);
    EXPECT_EQ(bufferStart(216), lastSector);
    EXPECT_EQ(read(0, 0, 0, 1, 0), 0);
}

// ---- Runs of sectors ----

TEST_F(D88ImageTest, RunGoesOnToTheNextTrackWithHeadAndCylinder) {
    openDisk(Disk(3, 1));
    image_.setSectorRange(1, 16);
    Bytes expected = Disk(3, 1).readRun(1, 15, 4 * 256 + 100);
    EXPECT_EQ(image_.readSectors({1, 0, 1, 15, 1}, buffer_.data(), 4 * 256 + 100),
              4 * 256 + 100);
    EXPECT_EQ(bufferStart(expected.size()), expected);
    EXPECT_EQ(buffer_[expected.size()], 0xEE);
    expected = Disk(3, 1).readRun(2, 16, 512);
    EXPECT_EQ(image_.readSectors({2, 1, 0, 16, 1}, buffer_.data(), 512), 512);
    EXPECT_EQ(bufferStart(512), expected);
}

TEST_F(D88ImageTest, RunStopsAtTheFirstSectorNotReadWhole) {
    Disk disk(1, 1);
    disk.removeSector(0, 5);
    disk.sector(1, 3).resize(200);
    openDisk(disk);
    image_.setSectorRange(1, 16);
    EXPECT_EQ(image_.readSectors({0, 0, 0, 3, 1}, buffer_.data(), 8 * 256), 512);
    EXPECT_EQ(buffer_[512], 0xEE);
    EXPECT_EQ(image_.readSectors({1, 0, 1, 1, 1}, buffer_.data(), 8 * 256), 512);
    // The short sector's bytes are there, though not counted.
    EXPECT_EQ(Bytes(buffer_.begin() + 512, buffer_.begin() + 712), disk.sector(1, 3));
}

TEST_F(D88ImageTest, RunStartingAboveTheRangeNeverWraps) {
    openDisk(Disk(2, 1));
    image_.setSectorRange(1, 8);
    EXPECT_EQ(image_.readSectors({0, 0, 0, 10, 1}, buffer_.data(), 16 * 256), 7 * 256);
    image_.setSectorRange(1, 8);
    EXPECT_EQ(image_.readSectors({0, 0, 0, 7, 1}, buffer_.data(), 3 * 256), 3 * 256);
    Bytes r7 = standardSector(1, 0, 7), r8 = standardSector(1, 0, 8);
    EXPECT_EQ(Bytes(buffer_.begin(), buffer_.begin() + 256), r7);
    EXPECT_EQ(Bytes(buffer_.begin() + 256, buffer_.begin() + 512), r8);
    // After R 8 the run went on at track 1, R 1.
    Bytes next = standardSector(1, 1, 1);
    EXPECT_EQ(Bytes(buffer_.begin() + 512, buffer_.begin() + 768), next);
}

TEST_F(D88ImageTest, RunOfNothingOrOfAnUnknownSizeCodeReadsNothing) {
    openDisk(Disk(1, 1));
    EXPECT_EQ(image_.readSectors({0, 0, 0, 1, 1}, buffer_.data(), 0), 0);
    EXPECT_EQ(image_.readSectors({0, 0, 0, 1, 1}, buffer_.data(), -5), 0);
    EXPECT_EQ(image_.readSectors({0, 0, 0, 1, 9}, buffer_.data(), 256), 0);
    EXPECT_EQ(image_.readSectors({0, 0, 0, 1, -1}, buffer_.data(), 256), 0);
    EXPECT_EQ(buffer_[0], 0xEE);
}

// ---- Track IDs ----

TEST_F(D88ImageTest, TrackIdsListTheRecordsInOrderUpToTheirEnd) {
    Disk disk(2, 1);
    disk.track(0) = {record(7, 6, 5, 4, 3, 16, 0), record(1, 2, 3, 1, 3, 0, 0),
                     record(9, 9, 9, 9, 3, 16, 0), record(8, 8, 8, 8, 3, 16, 0)};
    disk.track(1) = {record(0, 1, 1, 1, 9, 16, 0), record(0, 1, 2, 1, 0, 16, 0),
                     record(0, 1, 3, 1, 9, 16, 0)};
    openDisk(disk);
    uint8_t ids[64] = {};
    EXPECT_EQ(image_.readTrackIds(0, ids, 64), 12);
    EXPECT_EQ(Bytes(ids, ids + 12), (Bytes{7, 6, 5, 4, 1, 2, 3, 1, 9, 9, 9, 9}));
    EXPECT_EQ(image_.readTrackIds(0, ids, 5), 8);
    EXPECT_EQ(image_.readTrackIds(0, ids, 0), 0);
    // A record whose count is 0 is listed and ends the list.
    EXPECT_EQ(image_.readTrackIds(1, ids, 64), 8);
}

TEST_F(D88ImageTest, TrackIdsEndAtAHeaderCutShort) {
    Disk disk(1, 1);
    disk.removeTrack(1);
    Bytes image = disk.bytes();
    image.resize(disk.trackOffset(0) + 2 * (16 + 256) + 10);
    openImage(image);
    ASSERT_TRUE(image_.selectDisk(0));
    uint8_t ids[64] = {};
    EXPECT_EQ(image_.readTrackIds(0, ids, 64), 8);
}

}  // namespace
}  // namespace queltests
