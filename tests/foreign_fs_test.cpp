// What the companions name another system's disk, and a raw sector image, on
// disks and files built here: one row per system, and one per disk that looks
// like one in a single structure only.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "recognition/foreign_fs.h"
#include "recognition/header_check.h"
#include "support/foreign_disks.h"
#include "support/other_disks.h"
#include "support/row_name.h"
#include "support/test_folder.h"

namespace d88build {
namespace {

struct ForeignRow {
    const char* name;
    std::function<Disk()> disk;
    ForeignSystem system;
    int32_t files = 0;
    int32_t deleted = 0;
    const char* label = "";
    bool fatsDiffer = false;
};

void PrintTo(const ForeignRow& row, std::ostream* out) {
    *out << row.name;
}

Disk fat12With(void (*change)(Fat12Recipe&)) {
    Fat12Recipe recipe;
    change(recipe);
    return fat12Disk(recipe);
}

const ForeignRow foreignRows[] = {
    {"Fat12Of720K", [] { return fat12Disk({}); }, ForeignSystem::fat12, 2, 1, "WORK DISK"},
    {"Fat12Of1024ByteSectorsInTheBigEndianForm",
     [] { return fat12With([](Fat12Recipe& r) { r = {77, 8, 3, 0xFE, true, 0, false}; }); },
     ForeignSystem::fat12, 2, 1, "WORK DISK"},
    {"Fat12WhoseCopiesDiffer",
     [] { return fat12With([](Fat12Recipe& r) { r.copiesDiffer = true; }); },
     ForeignSystem::fat12, 2, 1, "WORK DISK", true},
    {"HuBasic", [] { return huBasicDisk(3); }, ForeignSystem::huBasic, 3},
    {"FBasic", [] { return fBasicDisk(2); }, ForeignSystem::fBasic, 2},
    {"N88Basic", [] { return n88BasicDisk(4); }, ForeignSystem::n88Basic, 4},
    {"BootRecord", bootRecordDisk, ForeignSystem::bootRecord},
    // ---- One structure alone names nothing
    {"BootBlockDisagreesWithTheGeometry",
     [] { return fat12With([](Fat12Recipe& r) { r.totalSectorsOff = -18 * 10; }); },
     ForeignSystem::none},
    {"HuBasicTableWithoutItsDirectory", [] { return huBasicDisk(0, false); },
     ForeignSystem::none},
    {"FBasicIdWithoutItsTable",
     [] {
         Disk disk = fBasicDisk(1);
         disk.sector(2, 1).assign(kSectorSize, 0xB0);
         return disk;
     },
     ForeignSystem::none},
    {"N88BasicTableWithoutItsDirectory",
     [] {
         Disk disk = n88BasicDisk(0);
         disk.sector(37, 1).assign(kSectorSize, 0x41);
         return disk;
     },
     ForeignSystem::none},
    {"FillBytes", [] { return uniformDisk(16, 1, 0xE5); }, ForeignSystem::none},
    {"ZeroFill", zeroDisk, ForeignSystem::none},
    {"GameDisk", gameDisk, ForeignSystem::none},
};

class ForeignDisks : public testing::TestWithParam<ForeignRow> {};

TEST_P(ForeignDisks, AreNamedWhenTwoStructuresAgree) {
    const ForeignRow& row = GetParam();
    D88Image image;
    ASSERT_TRUE(openInFreshFolder(image, row.disk().bytes()));
    ASSERT_TRUE(image.selectDisk(0));
    const ForeignFileSystem found = identifyForeignFileSystem(image);
    EXPECT_EQ(static_cast<int>(found.system), static_cast<int>(row.system));
    EXPECT_EQ(found.files, row.files);
    EXPECT_EQ(found.deletedEntries, row.deleted);
    EXPECT_EQ(found.volumeLabel, std::string(row.label));
    EXPECT_EQ(found.fatCopiesDiffer, row.fatsDiffer);
    if (row.system == ForeignSystem::bootRecord) {
        EXPECT_EQ(found.boot.name, "DEMO");
        EXPECT_EQ(found.boot.size, 1000);
        EXPECT_EQ(found.boot.loadAddress, 0x8000);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ForeignDisks, testing::ValuesIn(foreignRows), rowName);

// ---- Raw sector images: their length alone

struct RawRow {
    const char* name;
    size_t length;
    std::string reason;
};

void PrintTo(const RawRow& row, std::ostream* out) {
    *out << row.name;
}

const RawRow rawRows[] = {
    {"TwoD", 327680, "327,680 bytes, the size of a raw 2D sector image (40 x 2 x 16 x 256)"},
    {"TwoDD", 655360, "655,360 bytes, the size of a raw 2DD sector image (80 x 2 x 16 x 256)"},
    {"PcOf720K", 737280,
     "737,280 bytes, the size of a raw 720 KB sector image (80 x 2 x 9 x 512)"},
    {"TwoHD", 1025024,
     "1,025,024 bytes, the size of a raw 2HD sector image (77 x 2 x 26 x 256)"},
    {"PcOf1200K", 1228800,
     "1,228,800 bytes, the size of a raw 1.2 MB sector image (80 x 2 x 15 x 512)"},
    {"Hdm", 1261568, "1,261,568 bytes, the size of a raw HDM sector image (77 x 2 x 8 x 1024)"},
    {"PcOf1440K", 1474560,
     "1,474,560 bytes, the size of a raw 1.44 MB sector image (80 x 2 x 18 x 512)"},
    {"OneByteMoreIsNone", 327681,
     "disk 1's size, 0 bytes, is smaller than a disk header (688 bytes)"},
};

class RawSectorImages : public testing::TestWithParam<RawRow> {};

TEST_P(RawSectorImages, AreNamedByTheirLength) {
    D88Image image;
    ASSERT_TRUE(openInFreshFolder(image, Bytes(GetParam().length, 0)));
    const HeaderFault fault = firstHeaderFault(image);
    EXPECT_EQ(faultReason(fault, static_cast<uint32_t>(image.diskSize()), image.mediaType()),
              GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Rows, RawSectorImages, testing::ValuesIn(rawRows), rowName);

}  // namespace
}  // namespace d88build
