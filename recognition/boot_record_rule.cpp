// An X1 boot record: the first sector of track 0 marks itself bootable, names
// its program in printable bytes before "Sys", and loads it from sectors that
// the disk has.
#include <cstring>

#include "common/little_endian.h"
#include "recognition/foreign_rules.h"

namespace {
constexpr uint8_t bootable = 0x01;
constexpr int32_t nameAt = 1;
constexpr int32_t nameBytes = 13;
constexpr int32_t kindAt = 14;
constexpr char kindText[] = "Sys";
constexpr int32_t sizeAt = 18;
constexpr int32_t loadAt = 20;
constexpr int32_t runAt = 22;
constexpr int32_t startSectorAt = 30;

bool printableName(const uint8_t* name) {
    bool anyLetter = false;
    for (int32_t i = 0; i < nameBytes; ++i) {
        if (name[i] < 0x20 || name[i] > 0x7E) {
            return false;
        }
        anyLetter = anyLetter || name[i] != ' ';
    }
    return anyLetter;
}

// The program's sectors, counted from sector 1 of track 0, lie on the disk.
bool programOnDisk(D88Image& image, const uint8_t* record, int32_t sectorBytes) {
    const int64_t sectors = int64_t{namedTracks(image)} * image.listTrack(0).records;
    const int64_t last = readLe16(record + startSectorAt) +
                         (int64_t{readLe16(record + sizeAt)} + sectorBytes - 1) / sectorBytes;
    return readLe16(record + sizeAt) > 0 && last <= sectors;
}

std::string nameOf(const uint8_t* name) {
    std::string text(reinterpret_cast<const char*>(name), nameBytes);
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}
}  // namespace

bool isBootRecordDisk(D88Image& image, ForeignFileSystem& found) {
    for (int32_t code = sectorSizeCode; code <= largestSizeCode; ++code) {
        const int32_t length = sectorLength(code);
        const std::vector<uint8_t> record = trackSector(image, 0, 1, length);
        if (record.empty()) {
            continue;
        }
        const uint8_t* bytes = record.data();
        if (bytes[0] != bootable ||
            std::memcmp(bytes + kindAt, kindText, sizeof kindText - 1) != 0 ||
            !printableName(bytes + nameAt) || !programOnDisk(image, bytes, length)) {
            return false;
        }
        found.system = ForeignSystem::bootRecord;
        found.boot = {nameOf(bytes + nameAt), readLe16(bytes + sizeAt), readLe16(bytes + loadAt),
                      readLe16(bytes + runAt)};
        return true;
    }
    return false;
}
