#ifndef QUELT_RECOGNITION_FOREIGN_RULES_H
#define QUELT_RECOGNITION_FOREIGN_RULES_H

#include <cstdint>
#include <vector>

#include "image/d88_image.h"
#include "recognition/foreign_fs.h"

// The rules identifyForeignFileSystem takes in turn, one file each, and what
// they share. Each returns whether its system's structures agree on the
// selected disk, and fills `found` when they do.

bool isFat12Disk(D88Image& image, ForeignFileSystem& found);
bool isHuBasicDisk(D88Image& image, ForeignFileSystem& found);
bool isFBasicDisk(D88Image& image, ForeignFileSystem& found);
bool isN88BasicDisk(D88Image& image, ForeignFileSystem& found);
bool isBootRecordDisk(D88Image& image, ForeignFileSystem& found);

// The data of the record numbered `r` on track `track` (the first such among
// the track's first records), when it holds exactly `length` bytes; empty
// otherwise. Other systems number cylinders and heads as they like.
std::vector<uint8_t> trackSector(D88Image& image, int32_t track, int32_t r, int32_t length);

// How many tracks the track table names, up to the highest usable one.
int32_t namedTracks(const D88Image& image);

// The BASICs' one-byte cluster tables: the value of a cluster links on to
// another below `clusters`, and one from `endFirst` to `endLast` marks a file's
// last cluster.
struct ByteTable {
    const uint8_t* values;
    int32_t clusters;
    uint8_t endFirst;
    uint8_t endLast;
};

// Whether the chain from `first` reaches an end mark, through clusters of the
// table only and without coming back to one.
bool chainEnds(const ByteTable& table, int32_t first);

// What a BASIC's directory entry's first byte says of it.
constexpr uint8_t neverUsedEntry = 0xFF;
constexpr uint8_t deletedEntry = 0x00;

// How a BASIC lays out its directory: sectors of `sectorBytes`, entries of
// `entryBytes` with the first cluster's number at `firstClusterAt`.
struct DirectoryLayout {
    int32_t sectorBytes;
    int32_t entryBytes;
    int32_t firstClusterAt;
};

// Counts the directory sector's files into `files`; false when an entry is
// neither free nor a file whose chain ends. `formatted` is set by an entry that
// is never used or a file (a sector of zeros sets it not).
bool directorySectorAgrees(const uint8_t* sector, DirectoryLayout layout, const ByteTable& table,
                           int32_t& files, bool& formatted);

#endif
