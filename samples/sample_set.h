// A complete made-up three-disk set that the tool can extract everything from: a demo
// disk carrying the signature sector, a main disk with "startup" and its music table,
// and a scenario disk with "sud_data" and "bgmscore". Tests start from it and change
// what their case needs; quelt-sample-set writes it to a file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "samples/d88_builder.h"

namespace d88build {

constexpr int kMusicPieces = 18;
// "startup" holds the music table from this byte: 18 six-byte records, then 52 bytes.
constexpr size_t kMusicTableOffset = 7210;
constexpr size_t kMusicRecordSize = 6;
constexpr size_t kMusicTableSize = 160;
constexpr size_t kMusicSegmentSize = 2048;

// Track 0 R8 of the demo disk starts with these bytes.
constexpr std::array<uint8_t, 30> kDemoSignature = {
    0x82, 0x75, 0x82, 0x51, 0x83, 0x82, 0x81, 0x5B, 0x83, 0x68, 0x82, 0xC5, 0x82, 0xB5, 0x82,
    0xA9, 0x93, 0xAE, 0x82, 0xA9, 0x82, 0xC8, 0x82, 0xA2, 0x82, 0xE6, 0x81, 0x49, 0x81, 0x49};
constexpr int kSignatureTrack = 0;
constexpr int kSignatureSector = 8;

// A sector run the tool cuts into an output file as it stands.
struct SectorRun {
    int track;
    int r;
    size_t length;
};
constexpr SectorRun kOpdrvRun{2, 9, 3584};
constexpr SectorRun kOpmusRun{0, 9, 2048};
constexpr SectorRun kOpefcRun{35, 1, 256};
constexpr SectorRun kEdmusRun{36, 8, 2048};
constexpr SectorRun kFmdriverRun{2, 5, 3840};

// One music-table record: the piece is `size` bytes of "bgmscore" from
// segment * 2048 + offset.
struct MusicPiece {
    uint16_t segment;
    uint16_t offset;
    uint16_t size;
};

// Where the piece begins in "bgmscore" (and in the buffer that holds it).
size_t pieceStart(const MusicPiece& piece);

// "mus00" to "mus17": the file quelt cuts music piece `index` into.
std::string musName(int index);

// The 24 files quelt writes, in the order a complete run writes them.
std::vector<std::string> queltOutputNames();

struct SampleSet {
    Disk demo;
    Disk main;
    Disk scenario;
    Bytes startup;
    Bytes sudData;
    Bytes bgmscore;
    std::array<MusicPiece, kMusicPieces> pieces;
};

SampleSet makeSampleSet();

// The three disks of the set on their own, for variants of it.
Disk makeDemoDisk();
Disk makeMainDisk(const Bytes& startup);
Disk makeScenarioDisk(const Bytes& sudData, const Bytes& bgmscore);

// Puts other records into the set's music table (in its "startup" and on its main
// disk). Pieces may lie anywhere, also past the end of "bgmscore".
void setMusicTable(SampleSet& set, const std::array<MusicPiece, kMusicPieces>& pieces);

// Stores the set's "bgmscore" on `disk` in clusters 100, 101, ... as many as it
// needs: clusters the set leaves free on its demo and main disks.
void addBgmscore(Disk& disk, const SampleSet& set);

// Demo, main and scenario disk of makeSampleSet(), in that order, as one image file.
Bytes sampleImage();

// The set's scenario disk alone, as quelt-ls --short lists it after its path
// (quelt would not search it without a main disk).
inline const std::string kScenarioShortLine =
    "\t1\t-\tSCENARIO\t348848\t579d4b278c3089f595678db2b5c44406cfbba001\twhole\n";

// The bytes of a sector run of a disk, as the tool's cut of it should come out.
Bytes runBytes(const Disk& disk, const SectorRun& run);

// The 160 bytes of a music table holding these records, followed by `tail` (52 bytes).
Bytes musicTableBytes(const std::array<MusicPiece, kMusicPieces>& pieces, const Bytes& tail);

}  // namespace d88build
