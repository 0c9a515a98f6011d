// Builds D88 disk images in memory for the tests: a formatted double-sided disk whose
// every sector holds a known, distinct fill, plus the raw handles needed to damage it
// (missing tracks and sectors, odd records, wrong header fields).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace d88build {

using Bytes = std::vector<uint8_t>;

constexpr size_t kHeaderSize = 688;
constexpr size_t kNameSize = 16;
constexpr size_t kMediaTypeOffset = 27;
constexpr size_t kSizeFieldOffset = 28;
constexpr size_t kTrackTableOffset = 32;
constexpr int kMaxTracks = 164;
constexpr int kHeads = 2;
constexpr int kMaxCylinders = kMaxTracks / kHeads;
constexpr size_t kRecordHeaderSize = 16;
constexpr size_t kRecordCountOffset = 4;
constexpr size_t kRecordLengthOffset = 14;
constexpr int kFirstSector = 1;
constexpr int kLastSector = 16;
constexpr int kSectorsPerTrack = kLastSector - kFirstSector + 1;
constexpr uint8_t kSizeCode256 = 1;
constexpr size_t kSectorSize = 256;
constexpr uint8_t kMedia2D = 0x00;

// One sector record of a track as it is stored in the image.
struct Record {
    uint8_t c = 0;
    uint8_t h = 0;
    uint8_t r = 0;
    uint8_t n = kSizeCode256;
    uint16_t sectorCount = kSectorsPerTrack;
    Bytes data;
    // Written as the record's data length instead of data.size() when set, so a test
    // can make the header disagree with the bytes that follow it.
    std::optional<uint16_t> lengthField;
};

// Appends the record as an image stores it: its 16-byte header (ID, sector count,
// data length), then its data. Every builder writes its records through this.
void appendRecord(Bytes& out, const Record& record);

// The fields of a disk header the builders set; every other byte is 0.
struct DiskHeader {
    std::string name;  // up to 16 raw bytes
    uint8_t mediaType = kMedia2D;
    uint32_t size = 0;
    std::array<uint32_t, kMaxTracks> entries{};
};

// The 688 bytes of a disk header. Every builder writes its headers through this.
Bytes headerBytes(const DiskHeader& header);

// Ends the test process with a message. The builders call it when they are misused
// (a sector that does not exist, a name that does not fit): a broken recipe must not
// turn into a quietly wrong image.
void require(bool condition, const char* what);

// Byte i of the standard fill of sector R `r` on track index `track` of a disk built
// with `seed`:
//   i == 0: seed,  i == 1: track,  i == 2: r,
//   i >= 3: (3*i + 77*seed + 29*track + 11*r) mod 256.
// The first three bytes make every sector of every seed unique; the rest steps by an
// odd number, so no two positions of one sector hold the same byte and a slice taken
// at a wrong offset, sector or track shows up.
uint8_t fillByte(uint8_t seed, int track, int r, int i);

// The full 256-byte standard fill of one sector.
Bytes standardSector(uint8_t seed, int track, int r);

// A formatted 2D-style disk: `cylinders` cylinders of two heads, every track holding
// sectors R1..16 in order, N 1, C/H matching the track index, data = standard fill.
// Tracks beyond the last cylinder are absent.
class Disk {
public:
    explicit Disk(int cylinders = 40, uint8_t seed = 1);

    uint8_t seed() const { return seed_; }
    int trackCount() const { return cylinders_ * kHeads; }

    // The records of track index `index` (0..163), in the order they are written.
    // A track with no records is absent (table entry 0) unless its entry is overridden.
    std::vector<Record>& track(int index);
    const std::vector<Record>& track(int index) const;

    // Data of the first record of the track whose R is `r`; aborts when there is none.
    Bytes& sector(int track, int r);
    const Bytes& sector(int track, int r) const;

    // Lays `bytes` over the sector run that starts at (track, r) the way the tool reads
    // a run: R, R+1 .. 16, then the next track index from R1, and so on. The last
    // sector may be covered only in part and keeps the rest of its bytes.
    void writeRun(int track, int r, const Bytes& bytes);
    // The `length` bytes of the same walk, for expected outputs of intact runs; aborts
    // when a sector of the run is missing or shorter than the part it should supply.
    Bytes readRun(int track, int r, size_t length) const;

    // Drops every record of the track and any entry override: table entry 0.
    void removeTrack(int track);
    // Drops the first record with R `r`; the remaining records of the track get their
    // sector count set to the new number of records, as a consistent image would have.
    void removeSector(int track, int r);

    // Up to 16 raw bytes; shorter names are NUL-padded, 16 bytes leave no NUL.
    void setName(std::string raw);
    void setMediaType(uint8_t mediaType);
    // Replaces the computed disk size in the header (the records are laid out as usual).
    void setSizeField(uint32_t size);
    // Replaces the table entry of one track; its records are still laid out.
    void setTrackEntry(int track, uint32_t raw);

    // Offset from the disk's first byte at which bytes() places the track's records
    // (where the next track starts when it has none); lets a test aim entries at it.
    uint32_t trackOffset(int track) const;

    // Header followed by the tracks with records, laid out in track order from 688.
    Bytes bytes() const;

private:
    std::array<uint32_t, kMaxTracks + 1> layoutOffsets() const;
    DiskHeader header(const std::array<uint32_t, kMaxTracks + 1>& layout) const;

    int cylinders_;
    uint8_t seed_;
    std::string name_;
    uint8_t mediaType_ = kMedia2D;
    std::optional<uint32_t> sizeField_;
    std::array<std::vector<Record>, kMaxTracks> tracks_;
    std::array<std::optional<uint32_t>, kMaxTracks> entryOverrides_;
};

// Little-endian fields of headers, records and tables.
void putLe16(Bytes& out, size_t at, uint16_t value);
void putLe32(Bytes& out, size_t at, uint32_t value);

// Disk images one after another, as an image file holds them.
Bytes concat(std::initializer_list<Bytes> disks);
Bytes concat(std::initializer_list<const Disk*> disks);

// Writes the bytes to a file in binary mode; false when it cannot be written whole.
bool writeFile(const std::string& path, const Bytes& bytes);
bool writeFile(const std::string& path, const uint8_t* data, size_t size);
// Whole file contents; empty when the file cannot be opened.
Bytes readFile(const std::string& path);

}  // namespace d88build
