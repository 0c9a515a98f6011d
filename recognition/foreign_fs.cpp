// Other systems' disks, named by the rules in turn (see the header).
#include "recognition/foreign_fs.h"

#include "recognition/foreign_rules.h"

namespace {
constexpr char bootRecordName[] = "X1 boot record";

constexpr bool beginsWith(const char* text, const char* start) {
    return *start == '\0' || (*text == *start && beginsWith(text + 1, start + 1));
}
// The name says the kind the JSON listing gives.
static_assert(beginsWith(bootRecordName, bootRecordKind), "a boot record is named by its kind");

// A sector is looked for among this many records of its track: no system here
// formats more, and a track of thousands of records costs no more than these.
constexpr int32_t searchedRecords = 64;

// The file systems first; a boot record only where none of them holds.
bool (*const rules[])(D88Image&, ForeignFileSystem&) = {
    isFat12Disk, isHuBasicDisk, isFBasicDisk, isN88BasicDisk, isBootRecordDisk};
}  // namespace

std::vector<uint8_t> trackSector(D88Image& image, int32_t track, int32_t r, int32_t length) {
    uint8_t ids[searchedRecords * D88Image::listedIdBytes];
    const int32_t listed = image.readTrackIds(track, ids, sizeof ids);
    for (int32_t at = 0; at < listed; at += D88Image::listedIdBytes) {
        const uint8_t* id = ids + at;
        const int32_t n = id[D88Image::listedSizeCodeByte];
        if (id[2] != r || !sizeCodeHasLength(n) || sectorLength(n) != length) {
            continue;
        }
        std::vector<uint8_t> data(static_cast<std::size_t>(length));
        if (image.readSector({track, id[0], id[1], r, n}, data.data(), length) == length) {
            return data;
        }
        break;
    }
    return {};
}

int32_t namedTracks(const D88Image& image) {
    int32_t tracks = 0;
    for (int32_t track = 0; track < D88Image::maxTracks; ++track) {
        tracks = image.trackUsable(track) ? track + 1 : tracks;
    }
    return tracks;
}

bool chainEnds(const ByteTable& table, int32_t first) {
    int32_t cluster = first;
    // A chain that visits every cluster once has come back to one by then.
    for (int32_t step = 0; step <= table.clusters; ++step) {
        if (cluster < 0 || cluster >= table.clusters) {
            return false;
        }
        const uint8_t value = table.values[cluster];
        if (value >= table.endFirst && value <= table.endLast) {
            return true;
        }
        cluster = value;
    }
    return false;
}

bool directorySectorAgrees(const uint8_t* sector, DirectoryLayout layout, const ByteTable& table,
                           int32_t& files, bool& formatted) {
    for (int32_t at = 0; at + layout.entryBytes <= layout.sectorBytes; at += layout.entryBytes) {
        const uint8_t first = sector[at];
        if (first == neverUsedEntry || first == deletedEntry) {
            formatted = formatted || first == neverUsedEntry;
            continue;
        }
        if (!chainEnds(table, sector[at + layout.firstClusterAt])) {
            return false;
        }
        ++files;
        formatted = true;
    }
    return true;
}

ForeignFileSystem identifyForeignFileSystem(D88Image& image) {
    for (auto rule : rules) {
        ForeignFileSystem found;
        if (rule(image, found)) {
            return found;
        }
    }
    return {};
}

const char* foreignSystemName(ForeignSystem system) {
    switch (system) {
    case ForeignSystem::none:
        break;
    case ForeignSystem::fat12:
        return "FAT12";
    case ForeignSystem::huBasic:
        return "Hu-BASIC";
    case ForeignSystem::fBasic:
        return "F-BASIC";
    case ForeignSystem::n88Basic:
        return "N88-BASIC";
    case ForeignSystem::bootRecord:
        return bootRecordName;
    }
    return nullptr;
}
