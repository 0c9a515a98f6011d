#include "samples/sample_set.h"

#include <algorithm>
#include <cstdio>

#include "samples/game_disk.h"

namespace d88build {

namespace {

constexpr int kCylinders = 40;
constexpr uint8_t kDemoSeed = 0x11;
constexpr uint8_t kMainSeed = 0x22;
constexpr uint8_t kScenarioSeed = 0x33;

// Seeds of the made-up contents, all different so no two areas look alike.
constexpr uint8_t kOpdrvSeed = 0x41;
constexpr uint8_t kOpmusSeed = 0x42;
constexpr uint8_t kOpefcSeed = 0x43;
constexpr uint8_t kEdmusSeed = 0x44;
constexpr uint8_t kFmdriverSeed = 0x45;
constexpr uint8_t kStartupSeed = 0x51;
constexpr uint8_t kSudDataSeed = 0x52;
constexpr uint8_t kBgmscoreSeed = 0x53;
constexpr uint8_t kTitleSeed = 0x54;
constexpr uint8_t kScenarioTextSeed = 0x55;
constexpr uint8_t kSaveDataSeed = 0x56;

constexpr size_t kStartupSize = 8500;
constexpr size_t kTitleSize = 1500;
constexpr size_t kSudDataSize = 5000;
constexpr size_t kScenarioTextSize = 700;
constexpr size_t kSaveDataSize = 3000;
constexpr size_t kBgmscoreSize = 50000;

// Chains deliberately out of disk order, so a loader that reads clusters one after
// another instead of following the table gets wrong bytes. None touches clusters 0/1
// (the signature sector), 4..6 (the fmdriver run) or 80/81 (the directory track).
const std::vector<int> kTitleClusters = {20};
const std::vector<int> kStartupClusters = {12, 30, 13, 90, 9};
const std::vector<int> kSudDataClusters = {44, 22, 45};
const std::vector<int> kScenarioTextClusters = {150};
const std::vector<int> kSaveDataClusters = {153, 152};
const std::vector<int> kBgmscoreClusters = {60, 61, 62, 100, 101, 63, 64, 140, 141,
                                            142, 30, 31, 32, 33, 65, 66, 120, 121,
                                            122, 123, 70, 71, 72, 10, 11};
// From here on the demo and main disks hold nothing.
constexpr int kFirstFreeCluster = 100;

// Varied starts and sizes: a piece of size 0, one at segment 1 offset 0x10, pieces
// across cluster boundaries, an offset above one segment, overlapping pieces and a
// piece that ends exactly at the end of "bgmscore".
constexpr std::array<MusicPiece, kMusicPieces> kPieces = {{
    {0, 0x0000, 0x0400}, {1, 0x0010, 0x0731}, {2, 0x0500, 0x0000}, {3, 0x0123, 0x0C00},
    {5, 0x07F0, 0x0020}, {6, 0x0000, 0x0800}, {7, 0x0900, 0x0345}, {9, 0x0044, 0x1234},
    {11, 0x0600, 0x0101}, {12, 0x0200, 0x09AB}, {14, 0x0011, 0x0001}, {14, 0x0700, 0x0E00},
    {17, 0x0333, 0x0456}, {18, 0x0000, 0x1800}, {21, 0x0100, 0x0200}, {21, 0x0400, 0x0777},
    {22, 0x07FF, 0x0801}, {23, 0x0150, 0x0A00},
}};

void cutArea(Disk& disk, const SectorRun& run, uint8_t seed) {
    disk.writeRun(run.track, run.r, pattern(run.length, seed));
}

}  // namespace

size_t pieceStart(const MusicPiece& piece) {
    return piece.segment * kMusicSegmentSize + piece.offset;
}

std::string musName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "mus%02d", index);
    return name;
}

std::vector<std::string> queltOutputNames() {
    std::vector<std::string> names = {"opdrv", "opmus", "opefc", "edmus", "fmdriver", "sud_data"};
    for (int j = 0; j < kMusicPieces; ++j) {
        names.push_back(musName(j));
    }
    return names;
}

Disk makeDemoDisk() {
    Disk disk(kCylinders, kDemoSeed);
    disk.setName("DEMO");
    // An empty directory, so that the second pass finds nothing on this disk.
    formatGameFs(disk);
    Bytes& signatureSector = disk.sector(kSignatureTrack, kSignatureSector);
    std::copy(kDemoSignature.begin(), kDemoSignature.end(), signatureSector.begin());
    cutArea(disk, kOpdrvRun, kOpdrvSeed);
    cutArea(disk, kOpmusRun, kOpmusSeed);
    cutArea(disk, kOpefcRun, kOpefcSeed);
    cutArea(disk, kEdmusRun, kEdmusSeed);
    return disk;
}

// Made-up "startup" with the sample music table at its fixed place; the 52 bytes
// after the records keep the file's own content.
Bytes makeStartup() {
    Bytes startup = pattern(kStartupSize, kStartupSeed);
    const auto table = startup.begin() + static_cast<std::ptrdiff_t>(kMusicTableOffset);
    const auto tailBegin = table + static_cast<std::ptrdiff_t>(kMusicPieces * kMusicRecordSize);
    const Bytes tail(tailBegin, table + static_cast<std::ptrdiff_t>(kMusicTableSize));
    const Bytes tableBytes = musicTableBytes(kPieces, tail);
    std::copy(tableBytes.begin(), tableBytes.end(), table);
    return startup;
}

Disk makeMainDisk(const Bytes& startup) {
    Disk disk(kCylinders, kMainSeed);
    disk.setName("MAIN");
    formatGameFs(disk);
    addFile(disk, "title", pattern(kTitleSize, kTitleSeed), kTitleClusters);
    // Only as many clusters as the content needs, so the chain ends where the file does.
    const size_t clusters = (startup.size() + kClusterSize - 1) / kClusterSize;
    require(clusters <= kStartupClusters.size(), "startup longer than its chain");
    addFile(disk, "startup", startup,
            std::vector<int>(kStartupClusters.begin(),
                             kStartupClusters.begin() + static_cast<std::ptrdiff_t>(clusters)));
    cutArea(disk, kFmdriverRun, kFmdriverSeed);
    return disk;
}

Disk makeScenarioDisk(const Bytes& sudData, const Bytes& bgmscore) {
    Disk disk(kCylinders, kScenarioSeed);
    disk.setName("SCENARIO");
    formatGameFs(disk);
    addFile(disk, "sud_data", sudData, kSudDataClusters);
    addFile(disk, "scn_text", pattern(kScenarioTextSize, kScenarioTextSeed),
            kScenarioTextClusters);
    addFile(disk, "bgmscore", bgmscore, kBgmscoreClusters);
    addFile(disk, "savedat", pattern(kSaveDataSize, kSaveDataSeed), kSaveDataClusters);
    return disk;
}


Bytes musicTableBytes(const std::array<MusicPiece, kMusicPieces>& pieces, const Bytes& tail) {
    require(tail.size() == kMusicTableSize - kMusicPieces * kMusicRecordSize,
            "music table tail must be 52 bytes");
    Bytes table(kMusicPieces * kMusicRecordSize);
    for (size_t j = 0; j < pieces.size(); ++j) {
        putLe16(table, j * kMusicRecordSize, pieces[j].segment);
        putLe16(table, j * kMusicRecordSize + 2, pieces[j].offset);
        putLe16(table, j * kMusicRecordSize + 4, pieces[j].size);
    }
    table.insert(table.end(), tail.begin(), tail.end());
    return table;
}

SampleSet makeSampleSet() {
    const Bytes startup = makeStartup();
    const Bytes sudData = pattern(kSudDataSize, kSudDataSeed);
    const Bytes bgmscore = pattern(kBgmscoreSize, kBgmscoreSeed);
    for (const MusicPiece& piece : kPieces) {
        require(pieceStart(piece) + piece.size <= bgmscore.size(), "piece beyond bgmscore");
    }
    return SampleSet{makeDemoDisk(), makeMainDisk(startup), makeScenarioDisk(sudData, bgmscore),
                     startup, sudData, bgmscore, kPieces};
}

void setMusicTable(SampleSet& set, const std::array<MusicPiece, kMusicPieces>& pieces) {
    const auto table = set.startup.begin() + static_cast<std::ptrdiff_t>(kMusicTableOffset);
    const auto tailBegin = table + static_cast<std::ptrdiff_t>(kMusicPieces * kMusicRecordSize);
    const Bytes tail(tailBegin, table + static_cast<std::ptrdiff_t>(kMusicTableSize));
    const Bytes tableBytes = musicTableBytes(pieces, tail);
    std::copy(tableBytes.begin(), tableBytes.end(), table);
    set.pieces = pieces;
    set.main = makeMainDisk(set.startup);
}

void addBgmscore(Disk& disk, const SampleSet& set) {
    std::vector<int> clusters;
    for (int c = kFirstFreeCluster; clusters.size() * kClusterSize < set.bgmscore.size(); ++c) {
        clusters.push_back(c);
    }
    addFile(disk, "bgmscore", set.bgmscore, clusters);
}

Bytes sampleImage() {
    const SampleSet set = makeSampleSet();
    return concat({set.demo.bytes(), set.main.bytes(), set.scenario.bytes()});
}

Bytes runBytes(const Disk& disk, const SectorRun& run) {
    return disk.readRun(run.track, run.r, run.length);
}

}  // namespace d88build
