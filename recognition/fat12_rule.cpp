// FAT12: a boot sector whose parameters agree with the disk's geometry, and a
// FAT that begins with the boot sector's media byte; or, behind a boot sector
// without those parameters, two FAT copies one FAT's length apart.
#include <algorithm>
#include <cstddef>

#include "common/little_endian.h"
#include "recognition/foreign_rules.h"

namespace {
// The parameters a FAT12 boot sector gives; 0 where its form has no field.
struct BootParameters {
    int32_t bytesPerSector = 0;
    int32_t sectorsPerCluster = 0;
    int32_t reservedSectors = 0;
    int32_t fatCount = 0;
    int32_t rootEntries = 0;
    int32_t totalSectors = 0;
    int32_t media = 0;
    int32_t sectorsPerFat = 0;
    int32_t sectorsPerTrack = 0;
    int32_t heads = 0;
};

// What the records of track 0 say: the size of sector 1 and how many there are.
struct Geometry {
    int32_t sectorBytes = 0;
    int32_t sectorsPerTrack = 0;
    int32_t tracks = 0;
};

constexpr int32_t entryBytes = 32;
constexpr int32_t firstMediaByte = 0xF0;
// FAT12 keeps at most 4084 clusters: 12 sectors of 512 bytes of 12-bit entries.
constexpr int32_t mostFatBytes = 4086 * 3 / 2;
// No floppy's root directory holds more.
constexpr int32_t mostRootEntries = 512;
// Writers keep a few tracks past the last one the file system counts.
constexpr int32_t spareTracks = 8;
// The label's place in the boot sector, after the extended-parameters mark.
constexpr int32_t extendedMarkAt = 38;
constexpr uint8_t extendedMark = 0x29;
constexpr int32_t bootLabelAt = 43;
constexpr int32_t labelBytes = 11;
constexpr uint8_t deletedMark = 0xE5;
constexpr uint8_t labelAttribute = 0x08;
constexpr uint8_t longNameAttribute = 0x0F;
constexpr int32_t attributeAt = 11;

// The parameter block as boot sectors hold it: little-endian from byte 11.
BootParameters parameterBlock(const uint8_t* boot) {
    BootParameters p;
    p.bytesPerSector = readLe16(boot + 11);
    p.sectorsPerCluster = boot[13];
    p.reservedSectors = readLe16(boot + 14);
    p.fatCount = boot[16];
    p.rootEntries = readLe16(boot + 17);
    p.totalSectors = readLe16(boot + 19);
    p.media = boot[21];
    p.sectorsPerFat = readLe16(boot + 22);
    p.sectorsPerTrack = readLe16(boot + 24);
    p.heads = readLe16(boot + 26);
    return p;
}

bool powerOfTwo(int32_t value) {
    return value > 0 && (value & (value - 1)) == 0;
}

bool plausibleBlock(const BootParameters& p) {
    return (p.fatCount == 1 || p.fatCount == 2) && powerOfTwo(p.sectorsPerCluster) &&
           p.sectorsPerCluster <= 64 && p.reservedSectors >= 1 && p.rootEntries > 0 &&
           p.rootEntries <= mostRootEntries && p.sectorsPerFat >= 1 &&
           p.sectorsPerFat * p.bytesPerSector < mostFatBytes + p.bytesPerSector &&
           p.media >= firstMediaByte;
}

// The block's geometry is the disk's: its sector size and track length are
// those of track 0, and its sectors fill the tracks the track table names.
bool agreesWithDisk(const BootParameters& p, const Geometry& disk) {
    if (p.bytesPerSector != disk.sectorBytes || p.totalSectors <= 0 || disk.sectorsPerTrack == 0) {
        return false;
    }
    if ((p.sectorsPerTrack != 0 && p.sectorsPerTrack != disk.sectorsPerTrack) ||
        (p.heads != 0 && p.heads != 1 && p.heads != 2)) {
        return false;
    }
    if (p.totalSectors % disk.sectorsPerTrack != 0) {
        return false;
    }
    const int32_t tracks = p.totalSectors / disk.sectorsPerTrack;
    return tracks <= disk.tracks && disk.tracks <= tracks + spareTracks;
}

Geometry geometryOf(D88Image& image) {
    Geometry disk;
    uint8_t id[D88Image::listedIdBytes];
    if (image.readTrackIds(0, id, sizeof id) == sizeof id &&
        sizeCodeHasLength(id[D88Image::listedSizeCodeByte])) {
        disk.sectorBytes = sectorLength(id[D88Image::listedSizeCodeByte]);
    }
    disk.sectorsPerTrack = image.listTrack(0).records;
    disk.tracks = namedTracks(image);
    return disk;
}

// Logical sector `sector` of the disk: tracks in order, sectors from 1.
std::vector<uint8_t> logicalSector(D88Image& image, const BootParameters& p, const Geometry& disk,
                                   int32_t sector) {
    return trackSector(image, sector / disk.sectorsPerTrack, 1 + sector % disk.sectorsPerTrack,
                       p.bytesPerSector);
}

std::string withoutTrailingSpaces(const uint8_t* bytes, std::size_t length) {
    std::string text(reinterpret_cast<const char*>(bytes), length);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) {
        text.pop_back();
    }
    return text;
}

// One root-directory entry counted: a file, a deleted entry or the label.
void countEntry(const uint8_t* entry, ForeignFileSystem& found) {
    const uint8_t attributes = entry[attributeAt];
    if (attributes == longNameAttribute) {
        return;
    }
    if (entry[0] == deletedMark) {
        ++found.deletedEntries;
    } else if ((attributes & labelAttribute) != 0) {
        found.volumeLabel = withoutTrailingSpaces(entry, labelBytes);
    } else {
        ++found.files;
    }
}

// The root directory's entries, up to its first never-used one.
void countRootEntries(D88Image& image, const BootParameters& p, const Geometry& disk,
                      ForeignFileSystem& found) {
    const int32_t first = p.reservedSectors + p.fatCount * p.sectorsPerFat;
    const int32_t perSector = p.bytesPerSector / entryBytes;
    for (int32_t slot = 0; slot < p.rootEntries; slot += perSector) {
        const std::vector<uint8_t> sector = logicalSector(image, p, disk, first + slot / perSector);
        for (int32_t i = 0; i < perSector && !sector.empty(); ++i) {
            const uint8_t* entry = sector.data() + i * entryBytes;
            if (entry[0] == 0) {
                return;
            }
            countEntry(entry, found);
        }
    }
}

bool fatCopiesDiffer(D88Image& image, const BootParameters& p, const Geometry& disk) {
    for (int32_t s = 0; s < p.sectorsPerFat; ++s) {
        const int32_t first = p.reservedSectors + s;
        if (logicalSector(image, p, disk, first) !=
            logicalSector(image, p, disk, first + p.sectorsPerFat)) {
            return true;
        }
    }
    return false;
}

// `boot` is the boot sector whose parameter block `p` is, or nullptr.
void noteFacts(D88Image& image, const uint8_t* boot, const BootParameters& p, const Geometry& disk,
               ForeignFileSystem& found) {
    found.system = ForeignSystem::fat12;
    found.fatCopies = p.fatCount;
    if (boot != nullptr && boot[extendedMarkAt] == extendedMark) {
        found.volumeLabel = withoutTrailingSpaces(boot + bootLabelAt, labelBytes);
    }
    countRootEntries(image, p, disk, found);
    found.fatCopiesDiffer = p.fatCount == 2 && fatCopiesDiffer(image, p, disk);
}
// The FAT's first byte is the block's media byte, and cluster 1's begins.
bool fatBeginsWith(D88Image& image, const BootParameters& p, const Geometry& disk) {
    const std::vector<uint8_t> fat = logicalSector(image, p, disk, p.reservedSectors);
    return !fat.empty() && fat[0] == p.media && fat[1] == 0xFF;
}

// A FAT sector begins with a media byte, then the two bytes of cluster 1; a
// sector of one byte repeated (0xFF fill) is none.
bool beginsFat(const std::vector<uint8_t>& sector) {
    if (sector.size() < 3 || sector[0] < firstMediaByte || sector[1] != 0xFF ||
        sector[2] != 0xFF) {
        return false;
    }
    return std::count(sector.begin(), sector.end(), sector[0]) !=
           static_cast<std::ptrdiff_t>(sector.size());
}

// The parameters of a disk whose boot sector gives none (some writers keep
// their own form, or none at all): the FAT from sector 1 on, and its second
// copy where a sector first repeats sector 1. The root directory's length is
// not known; its entries are read up to the first never-used one.
bool copiesGiveParameters(D88Image& image, const Geometry& disk, BootParameters& p) {
    p.bytesPerSector = disk.sectorBytes;
    p.sectorsPerTrack = disk.sectorsPerTrack;
    const std::vector<uint8_t> first = logicalSector(image, p, disk, 1);
    if (!beginsFat(first)) {
        return false;
    }
    for (int32_t k = 1; k * disk.sectorBytes < mostFatBytes + disk.sectorBytes; ++k) {
        if (logicalSector(image, p, disk, 1 + k) == first) {
            p = {disk.sectorBytes, 1, 1, 2, mostRootEntries,
                 disk.tracks * disk.sectorsPerTrack, first[0], k, disk.sectorsPerTrack, 0};
            return true;
        }
    }
    return false;
}
// The block agrees with the disk, and the FAT begins with its media byte.
bool blockAgrees(D88Image& image, const uint8_t* boot, const BootParameters& p,
                 const Geometry& disk, ForeignFileSystem& found) {
    if (!agreesWithDisk(p, disk) || !fatBeginsWith(image, p, disk)) {
        return false;
    }
    noteFacts(image, boot, p, disk, found);
    return true;
}
}  // namespace

bool isFat12Disk(D88Image& image, ForeignFileSystem& found) {
    const Geometry disk = geometryOf(image);
    if (disk.sectorBytes < bootLabelAt + labelBytes || disk.sectorsPerTrack == 0) {
        return false;
    }
    const std::vector<uint8_t> boot = trackSector(image, 0, 1, disk.sectorBytes);
    if (boot.empty()) {
        return false;
    }
    // A block that disagrees with the disk is another disk's: no copies rule then.
    const BootParameters p = parameterBlock(boot.data());
    if (plausibleBlock(p)) {
        return blockAgrees(image, boot.data(), p, disk, found);
    }
    BootParameters copies;
    if (copiesGiveParameters(image, disk, copies)) {
        noteFacts(image, nullptr, copies, disk, found);
        return true;
    }
    return false;
}
