#include "samples/hostile_images.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "samples/game_disk.h"
#include "samples/sample_set.h"

namespace d88build {

namespace {

constexpr size_t kHeaderRecords = kHeaderSize / kRecordHeaderSize;
constexpr int kDisks = 64;
constexpr uint32_t kFixedCount = 65535;
// With count - 1 = (ordinal + kCountShift) mod 65535 a record ends a walk only
// when the walk began at ordinal 32,767 or 98,302, where no track starts.
constexpr uint64_t kCountShift = 32768;
constexpr uint64_t kCountModulus = 65535;
// A chain can only name clusters below the end-of-chain mark.
constexpr int kReachableClusters = kEndOfChain;
constexpr uint16_t kLargestFileSize = 0xFFFF;
constexpr uint8_t kNoMatchSizeCode = 0;  // the tool only ever asks for size code 1

// The tracks the run reads on disks 2 to 64, in the order their starts follow the
// header: 0 (signature), 40 (directory) and the demo cuts' first tracks.
constexpr std::array<int, 5> kOtherDiskTracks = {kSignatureTrack, kSystemTrack, kOpdrvRun.track,
                                                 kOpefcRun.track, kEdmusRun.track};

// The file after disk 1's header as one sequence of records, appended in order;
// every record's count follows the recipe's rule for its ordinal.
class RecordStream {
public:
    explicit RecordStream(bool runToEnd) : runToEnd_(runToEnd), file_(kHeaderSize, 0) {}

    uint32_t countAt(uint64_t ordinal) const {
        return runToEnd_ ? static_cast<uint32_t>((ordinal + kCountShift) % kCountModulus) + 1
                         : kFixedCount;
    }
    size_t size() const { return file_.size(); }
    Bytes& file() { return file_; }

    void appendRunRecord() {
        const uint64_t id = ordinal_;
        appendRecord(static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8),
                     static_cast<uint8_t>(id >> 16), kNoMatchSizeCode, {});
    }

    void appendRecord(uint8_t c, uint8_t h, uint8_t r, uint8_t n, Bytes data) {
        const auto count = static_cast<uint16_t>(countAt(ordinal_));
        d88build::appendRecord(file_, {c, h, r, n, count, std::move(data), std::nullopt});
        ++ordinal_;
    }

    // A disk header read as 43 zero-length records: the count field of each
    // (bytes 4-5 of every 16) is set by the rule, which also fixes the entries of
    // tracks 1, 5, 9, ...; the length fields must already be 0.
    void appendHeader(Bytes header) {
        for (size_t k = 0; k < kHeaderRecords; ++k) {
            require(header[k * kRecordHeaderSize + kRecordLengthOffset] == 0 &&
                        header[k * kRecordHeaderSize + kRecordLengthOffset + 1] == 0,
                    "a header inside the run must read as zero-length records");
            putLe16(header, k * kRecordHeaderSize + kRecordCountOffset,
                    static_cast<uint16_t>(countAt(ordinal_ + k)));
        }
        file_.insert(file_.end(), header.begin(), header.end());
        ordinal_ += kHeaderRecords;
    }

private:
    bool runToEnd_;
    Bytes file_;
    uint64_t ordinal_ = 0;
};

Bytes runHeader(uint32_t size, const std::array<uint32_t, kMaxTracks>& entries) {
    // The name's first bytes read as a record's ID: size code 0xF3 is never asked for.
    return headerBytes({"\xF0\xF1\xF2\xF3", kMedia2D, size, entries});
}

// 0, 2, 4, ... 190, 1, 3, ... 191: consecutive clusters of the loop lie on
// different tracks, 96 tracks in turn, more than any small cache of tracks holds.
std::vector<int> loopOrder() {
    std::vector<int> order;
    for (int first : {0, 1}) {
        for (int c = first; c < kReachableClusters; c += 2) {
            order.push_back(c);
        }
    }
    return order;
}

Bytes directorySector() {
    Bytes sector(kSectorSize, 0);
    const char* names[] = {"startup", "sud_data", "bgmscore"};
    for (size_t slot = 0; slot < 3; ++slot) {
        const size_t at = slot * kEntrySize;
        std::copy_n(names[slot], std::strlen(names[slot]),
                    sector.begin() + static_cast<std::ptrdiff_t>(at));
        putLe16(sector, at + kEntrySizeField, kLargestFileSize);
        sector[at + kEntryFirstCluster] = static_cast<uint8_t>(slot);
    }
    return sector;
}

Bytes allocationSector() {
    Bytes table(kSectorSize, kFreeCluster);
    const std::vector<int> order = loopOrder();
    for (size_t k = 0; k < order.size(); ++k) {
        table[static_cast<size_t>(order[k])] = static_cast<uint8_t>(order[(k + 1) % order.size()]);
    }
    return table;
}

// Disk 1: its directory track first, then one record for each other track to
// start at, track 163 first and track 0 last.
uint32_t appendMainDiskTracks(RecordStream& stream, std::array<uint32_t, kMaxTracks>& entries,
                              bool withTrackZero) {
    entries[kSystemTrack] = static_cast<uint32_t>(stream.size());
    const uint8_t cylinder = kSystemTrack / kHeads;
    stream.appendRecord(cylinder, 0, kDirectorySector, kSizeCode256, directorySector());
    stream.appendRecord(cylinder, 0, kDirectorySector + 1, kSizeCode256, Bytes(kSectorSize, 0));
    stream.appendRecord(cylinder, 0, kDirectorySector + 2, kSizeCode256, Bytes(kSectorSize, 0));
    stream.appendRecord(cylinder, 0, kAllocationSector, kSizeCode256, allocationSector());
    for (int t = kMaxTracks - 1; t >= 0; --t) {
        if (t != kSystemTrack && (t != 0 || withTrackZero)) {
            entries[static_cast<size_t>(t)] = static_cast<uint32_t>(stream.size());
        }
        stream.appendRunRecord();
    }
    return static_cast<uint32_t>(stream.size());
}

Bytes signatureSector() {
    Bytes sector(kSectorSize, 0);
    std::copy(kDemoSignature.begin(), kDemoSignature.end(), sector.begin());
    return sector;
}

// One of disks 2 to 64: a header, the starts of its tracks, its signature sector
// when it is a demo disk, and run records up to `size` bytes.
void appendOtherDisk(RecordStream& stream, uint32_t size, bool demo, bool allTracks) {
    const size_t diskStart = stream.size();
    std::array<uint32_t, kMaxTracks> entries{};
    for (size_t k = 0; k < kOtherDiskTracks.size(); ++k) {
        entries[static_cast<size_t>(kOtherDiskTracks[k])] =
            static_cast<uint32_t>(kHeaderSize + k * kRecordHeaderSize);
    }
    size_t starts = kOtherDiskTracks.size();
    for (size_t t = 0; allTracks && t < kMaxTracks; ++t) {
        if (entries[t] == 0) {
            entries[t] = static_cast<uint32_t>(kHeaderSize + starts++ * kRecordHeaderSize);
        }
    }
    stream.appendHeader(runHeader(size, entries));
    for (size_t k = 0; k < starts; ++k) {
        stream.appendRunRecord();
    }
    if (demo) {
        stream.appendRecord(0, 0, kSignatureSector, kSizeCode256, signatureSector());
    }
    while (stream.size() < diskStart + size) {
        stream.appendRunRecord();
    }
}

// Every sector of clusters 0 to 191, in cluster order, filled with zeros.
void appendClusterSectors(RecordStream& stream) {
    for (int cluster = 0; cluster < kReachableClusters; ++cluster) {
        const ClusterStart start = clusterStart(cluster);
        for (int s = 0; s < kSectorsPerCluster; ++s) {
            stream.appendRecord(static_cast<uint8_t>(start.track / kHeads),
                                static_cast<uint8_t>(start.track % kHeads),
                                static_cast<uint8_t>(start.r + s), kSizeCode256,
                                Bytes(kSectorSize, 0));
        }
    }
}

size_t clusterSectorsBytes() {
    return static_cast<size_t>(kReachableClusters) * kSectorsPerCluster *
           (kRecordHeaderSize + kSectorSize);
}

// The clusters of the longest chain: 255, then 0 to 191 but the directory's 81.
std::vector<int> longestChain() {
    std::vector<int> chain = {kClusterCount - 1};
    for (int cluster = 0; cluster < kReachableClusters; ++cluster) {
        if (cluster != kSystemClusterB) {
            chain.push_back(cluster);
        }
    }
    return chain;
}

constexpr int kLongChainCylinders = kMaxCylinders;
constexpr uint8_t kLongChainSeed = 0x3C;
constexpr int kSudDataCluster = 200;
constexpr uint8_t kLongChainPatternBase = 0x80;
constexpr uint8_t kZeroLengthR = 0xEE;
constexpr size_t kLargestBlockRecords = 0xFFFF / kRecordHeaderSize;

}  // namespace

void prependZeroLengthRecords(Disk& disk, int track, int count) {
    std::vector<Record> records;
    for (int i = 0; i < count; ++i) {
        Record record;
        record.c = static_cast<uint8_t>(i & 0xFF);
        record.h = static_cast<uint8_t>((i >> 8) & 0xFF);
        record.r = kZeroLengthR;
        record.sectorCount = static_cast<uint16_t>(kFixedCount);
        records.push_back(record);
    }
    std::vector<Record>& own = disk.track(track);
    records.insert(records.end(), own.begin(), own.end());
    own = std::move(records);
}

LongChainDisk longChainScenarioDisk(const Bytes& sudData) {
    LongChainDisk made{Disk(kLongChainCylinders, kLongChainSeed), {}};
    formatGameFs(made.disk);
    require(sudData.size() <= kClusterSize, "sud_data of the long chain disk is one cluster");
    addFile(made.disk, "sud_data", sudData, {kSudDataCluster});
    const std::vector<int> chain = longestChain();
    for (size_t k = 0; k < chain.size(); ++k) {
        const Bytes content =
            pattern(kClusterSize, static_cast<uint8_t>(kLongChainPatternBase + k));
        writeCluster(made.disk, chain[k], content);
        if (k + 1 < chain.size()) {
            setAllocation(made.disk, chain[k], static_cast<uint8_t>(chain[k + 1]));
            made.loaded.insert(made.loaded.end(), content.begin(), content.end());
        }
    }
    setAllocation(made.disk, chain.back(), kEndOfChain);
    setEntry(made.disk, 1, "bgmscore", kLargestFileSize, static_cast<uint8_t>(chain.front()));
    return made;
}

void loopBgmscoreChain(Disk& scenario) {
    for (int slot = 0; slot < kDirectoryEntries; ++slot) {
        const Bytes entry = entryBytes(scenario, slot);
        if (std::equal(entry.begin(), entry.begin() + 9, "bgmscore")) {
            const int first = entry[kEntryFirstCluster];
            const int second = allocation(scenario, first);
            const int third = allocation(scenario, second);
            setAllocation(scenario, third, static_cast<uint8_t>(first));
            return;
        }
    }
    require(false, "no bgmscore to make loop");
}

Bytes worstCaseImage(const WorstCaseRecipe& recipe) {
    RecordStream stream(recipe.runToEnd);
    std::array<uint32_t, kMaxTracks> mainEntries{};
    const uint32_t mainSize = appendMainDiskTracks(stream, mainEntries, !recipe.otherDisksAreDemo);
    const size_t tail = recipe.clusterSectorsAtEnd ? clusterSectorsBytes() : 0;
    require(recipe.fileSize % kRecordHeaderSize == 0, "worst case image size must be whole records");
    require(recipe.fileSize > tail + mainSize + (kDisks - 1) * 2 * kHeaderSize,
            "worst case image too small for its disks");
    const size_t blockRecords =
        (recipe.fileSize - tail - mainSize) / (kDisks - 1) / kRecordHeaderSize;
    // A header inside the run needs a size below 64 KiB: the rest of a large file
    // is run after the last disk.
    const uint32_t blockSize = static_cast<uint32_t>(
        std::min<size_t>(blockRecords, kLargestBlockRecords) * kRecordHeaderSize);
    for (int disk = 1; disk < kDisks; ++disk) {
        appendOtherDisk(stream, blockSize, recipe.otherDisksAreDemo, recipe.otherDisksAllTracks);
    }
    if (recipe.clusterSectorsAtEnd) {
        appendClusterSectors(stream);
    }
    while (stream.size() < recipe.fileSize) {
        stream.appendRunRecord();
    }
    Bytes image = std::move(stream.file());
    require(image.size() == recipe.fileSize, "worst case image of another size than asked");
    const Bytes mainHeader = runHeader(mainSize, mainEntries);
    std::copy(mainHeader.begin(), mainHeader.end(), image.begin());
    return image;
}

Bytes fourGridImage(size_t fileSize, bool toEnd) {
    // Records begin at offsets 0, 4, 8 and 12 of every block: each reads its count
    // from the two bytes 4 after its start and its length from the two zero bytes
    // 14 after it.
    const Bytes block = {0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
    constexpr size_t kGrids = 4;
    constexpr size_t kGridStep = kRecordHeaderSize / kGrids;
    constexpr size_t kBlocksBetweenStarts = 400;
    constexpr size_t kSystemTrackBytes = 4 * (kRecordHeaderSize + kSectorSize);
    Bytes image(kHeaderSize, 0);
    image.reserve(fileSize);
    while (image.size() < fileSize - kSystemTrackBytes) {
        image.insert(image.end(), block.begin(), block.end());
    }
    std::array<uint32_t, kMaxTracks> entries{};
    for (int t = 0; t < kMaxTracks; ++t) {
        const size_t grid = static_cast<size_t>(t) % kGrids;
        const size_t blocks = static_cast<size_t>(kMaxTracks - 1 - t) * kBlocksBetweenStarts;
        entries[static_cast<size_t>(t)] =
            static_cast<uint32_t>(kHeaderSize + blocks * kRecordHeaderSize + grid * kGridStep);
    }
    RecordStream systemTrack(false);
    std::array<uint32_t, kMaxTracks> systemEntries{};
    appendMainDiskTracks(systemTrack, systemEntries, true);
    const Bytes& records = systemTrack.file();
    entries[kSystemTrack] = static_cast<uint32_t>(image.size());
    image.insert(image.end(), records.begin() + kHeaderSize,
                 records.begin() + static_cast<std::ptrdiff_t>(kHeaderSize + kSystemTrackBytes));
    if (toEnd) {
        // A record's count is the first two bytes of the next 4: 0xFFFF where a
        // track starts, 1 elsewhere.
        for (size_t at = kHeaderSize + kGridStep; at < entries[kSystemTrack]; at += kGridStep) {
            putLe16(image, at, 1);
        }
        for (int t = 0; t < kMaxTracks; ++t) {
            if (t != kSystemTrack) {
                putLe16(image, entries[static_cast<size_t>(t)] + kGridStep, 0xFFFF);
            }
        }
    }
    const Bytes header = runHeader(static_cast<uint32_t>(image.size()), entries);
    std::copy(header.begin(), header.end(), image.begin());
    require(image.size() <= fileSize, "four-grid image larger than asked");
    return image;
}

Bytes byteGridImage(size_t fileSize) {
    constexpr uint8_t kFill = 45;  // length and count 11,565: a stride of 11,581 bytes
    constexpr size_t kStride = kRecordHeaderSize + 257 * kFill;
    const size_t diskSize = fileSize / kDisks;
    // Disk d's tracks start at bytes 688 + 164 d + t of the stride, all different.
    const size_t spacing = diskSize - diskSize % kStride + kMaxTracks;
    require(spacing <= diskSize && static_cast<size_t>(kDisks) * kMaxTracks < kStride,
            "byte-grid image too small for its disks");
    Bytes image(fileSize, kFill);
    for (size_t d = 0; d < static_cast<size_t>(kDisks); ++d) {
        std::array<uint32_t, kMaxTracks> entries{};
        for (size_t t = 0; t < kMaxTracks; ++t) {
            entries[t] = static_cast<uint32_t>(kHeaderSize + t);
        }
        const bool last = d + 1 == static_cast<size_t>(kDisks);
        const size_t size = last ? fileSize - d * spacing : spacing;
        const Bytes header = headerBytes({"", kMedia2D, static_cast<uint32_t>(size), entries});
        std::copy(header.begin(), header.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(d * spacing));
    }
    return image;
}

namespace {

Bytes worstCaseOf(WorstCaseRecipe recipe, size_t fileSize) {
    recipe.fileSize = fileSize;
    return worstCaseImage(recipe);
}

// Runs to the end, finds its cluster sectors there, every track of every disk.
constexpr WorstCaseRecipe kToEndAllTracks{true, false, true, true};

// The sample set, then 64 hostile disks of which the index keeps 61.
Bytes setThenHostile(size_t fileSize) {
    const Bytes set = sampleImage();
    return concat({set, worstCaseOf(kToEndAllTracks, (fileSize - set.size()) / 16 * 16)});
}

}  // namespace

const std::vector<HostileRecipe>& hostileRecipes() {
    static const std::vector<HostileRecipe> recipes = {
        {"count65535-misses", [](size_t size) { return worstCaseOf({}, size); }},
        {"to-end-misses", [](size_t size) { return worstCaseOf({true}, size); }},
        {"to-end-demo-disks", [](size_t size) { return worstCaseOf({true, true}, size); }},
        {"to-end-hits-at-end", [](size_t size) { return worstCaseOf({true, false, true}, size); }},
        {"to-end-all-tracks", [](size_t size) { return worstCaseOf(kToEndAllTracks, size); }},
        {"four-grids", [](size_t size) { return fourGridImage(size); }},
        {"four-grids-to-end", [](size_t size) { return fourGridImage(size, true); }},
        {"set-then-hostile", setThenHostile},
        {"byte-grids", byteGridImage},
    };
    return recipes;
}

}  // namespace d88build
