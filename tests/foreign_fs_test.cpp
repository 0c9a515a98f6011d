// What the companions name another system's disk, and a raw sector image, on
// disks and files built here: one row per system, and one per disk that looks
// like one in a single structure only.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "recognition/foreign_fs.h"
#include "recognition/header_check.h"
#include "samples/foreign_disks.h"
#include "samples/other_disks.h"
#include "support/row_name.h"
#include "support/test_folder.h"

namespace queltests {
using namespace d88build;
namespace {

struct ForeignRow {
    const char* name;
    std::function<Disk()> disk;
    ForeignSystem system;
    int32_t files = 0;
    const char* label = "";  // FAT12's volume label, or a boot record's program
};

void PrintTo(const ForeignRow& row, std::ostream* out) {
    *out << row.name;
}

const ForeignRow foreignRows[] = {
    {"Fat12Of720K", [] { return fat12Disk({}); }, ForeignSystem::fat12, 2, "WORK DISK"},
    {"Fat12Of1024ByteSectorsWithoutAParameterBlock",
     [] { return fat12Disk({77, 8, 3, 0xFE, true, 0, false}); },
     ForeignSystem::fat12, 2, "WORK DISK"},
    {"HuBasic", [] { return huBasicDisk(3); }, ForeignSystem::huBasic, 3},
    {"FBasic", [] { return fBasicDisk(2); }, ForeignSystem::fBasic, 2},
    {"N88Basic", [] { return n88BasicDisk(4); }, ForeignSystem::n88Basic, 4},
    {"BootRecord", bootRecordDisk, ForeignSystem::bootRecord, 0, "DEMO"},
    // ---- One structure alone names nothing
    {"BootBlockDisagreesWithTheGeometry",
     [] { return fat12Disk({80, 9, 2, 0xF9, false, -18 * 10, false}); }, ForeignSystem::none},
    {"HuBasicTableWithoutItsDirectory", [] { return huBasicDisk(0, false); },
     ForeignSystem::none},
    {"N88BasicTableWithoutItsDirectory", [] { return n88BasicDisk(0, false); },
     ForeignSystem::none},
    {"FillBytes", [] { return uniformDisk(16, 1, 0xE5); }, ForeignSystem::none},
    {"FillOfTheFatsOwnBytes", [] { return uniformDisk(16, 1, 0xFF); }, ForeignSystem::none},
    {"ZeroFill", zeroDisk, ForeignSystem::none},
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
    // The label, or the program a boot record names.
    EXPECT_EQ(found.volumeLabel + found.boot.name, std::string(row.label));
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

// One reason in full; the others by their image's name in it.
const RawRow rawRows[] = {
    {"TwoD", 327680, "327,680 bytes, the size of a raw 2D sector image (40 x 2 x 16 x 256)"},
    {"TwoDD", 655360, "raw 2DD sector image (80 x 2 x 16 x 256)"},
    {"PcOf720K", 737280, "raw 720 KB sector image (80 x 2 x 9 x 512)"},
    {"TwoHD", 1025024, "raw 2HD sector image (77 x 2 x 26 x 256)"},
    {"PcOf1200K", 1228800, "raw 1.2 MB sector image (80 x 2 x 15 x 512)"},
    {"Hdm", 1261568, "raw HDM sector image (77 x 2 x 8 x 1024)"},
    {"PcOf1440K", 1474560, "1,474,560 bytes, the size of a raw 1.44 MB sector image"},
    {"OneByteMoreIsNone", 327681, "disk 1's size, 0 bytes, is smaller than a disk header"},
};

class RawSectorImages : public testing::TestWithParam<RawRow> {};

TEST_P(RawSectorImages, AreNamedByTheirLength) {
    D88Image image;
    ASSERT_TRUE(openInFreshFolder(image, Bytes(GetParam().length, 0)));
    const HeaderFault fault = firstHeaderFault(image);
    EXPECT_NE(faultReason(fault, static_cast<uint32_t>(image.diskSize()), image.mediaType())
                  .find(GetParam().reason),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Rows, RawSectorImages, testing::ValuesIn(rawRows), rowName);

}  // namespace
}  // namespace queltests
