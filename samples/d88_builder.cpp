#include "samples/d88_builder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>

namespace d88build {

namespace {

// Steps of the fill formula; the multiplier of i is odd so a sector never repeats a byte.
constexpr int kFillStepPerByte = 3;
constexpr int kFillStepPerSeed = 77;
constexpr int kFillStepPerTrack = 29;
constexpr int kFillStepPerSector = 11;
// Bytes 0..2 of a sector name it: seed, track index, R.
constexpr int kFillTagBytes = 3;

void requireTrackIndex(int track) {
    require(track >= 0 && track < kMaxTracks, "track index outside 0..163");
}

// The sector after (track, r) in a run over the range 1..16.
void advance(int& track, int& r) {
    if (r == kLastSector) {
        ++track;
        r = kFirstSector;
    } else {
        ++r;
    }
}

uint16_t writtenLength(const Record& record) {
    return record.lengthField.value_or(static_cast<uint16_t>(record.data.size()));
}

size_t recordsSize(const std::vector<Record>& records) {
    size_t size = 0;
    for (const Record& record : records) {
        size += kRecordHeaderSize + record.data.size();
    }
    return size;
}

std::vector<Record> standardTrack(uint8_t seed, int track) {
    std::vector<Record> records;
    for (int r = kFirstSector; r <= kLastSector; ++r) {
        Record record;
        record.c = static_cast<uint8_t>(track / kHeads);
        record.h = static_cast<uint8_t>(track % kHeads);
        record.r = static_cast<uint8_t>(r);
        record.data = standardSector(seed, track, r);
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

void putLe16(Bytes& out, size_t at, uint16_t value) {
    out[at] = static_cast<uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void putLe32(Bytes& out, size_t at, uint32_t value) {
    for (size_t k = 0; k < 4; ++k) {
        out[at + k] = static_cast<uint8_t>((value >> (8 * k)) & 0xFF);
    }
}

void appendRecord(Bytes& out, const Record& record) {
    require(record.data.size() <= std::numeric_limits<uint16_t>::max(),
            "sector data longer than a record can state");
    Bytes header(kRecordHeaderSize, 0);
    header[0] = record.c;
    header[1] = record.h;
    header[2] = record.r;
    header[3] = record.n;
    putLe16(header, kRecordCountOffset, record.sectorCount);
    putLe16(header, kRecordLengthOffset, writtenLength(record));
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), record.data.begin(), record.data.end());
}

Bytes headerBytes(const DiskHeader& fields) {
    require(fields.name.size() <= kNameSize, "disk name longer than 16 bytes");
    Bytes header(kHeaderSize, 0);
    std::copy(fields.name.begin(), fields.name.end(), header.begin());
    header[kMediaTypeOffset] = fields.mediaType;
    putLe32(header, kSizeFieldOffset, fields.size);
    for (size_t t = 0; t < fields.entries.size(); ++t) {
        putLe32(header, kTrackTableOffset + 4 * t, fields.entries[t]);
    }
    return header;
}

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "d88build: %s\n", what);
        std::abort();
    }
}

uint8_t fillByte(uint8_t seed, int track, int r, int i) {
    const uint8_t tags[kFillTagBytes] = {seed, static_cast<uint8_t>(track),
                                         static_cast<uint8_t>(r)};
    if (i >= 0 && i < kFillTagBytes) {
        return tags[i];
    }
    const int value = kFillStepPerByte * i + kFillStepPerSeed * seed +
                      kFillStepPerTrack * track + kFillStepPerSector * r;
    return static_cast<uint8_t>(value & 0xFF);
}

Bytes standardSector(uint8_t seed, int track, int r) {
    Bytes data(kSectorSize);
    for (size_t i = 0; i < kSectorSize; ++i) {
        data[i] = fillByte(seed, track, r, static_cast<int>(i));
    }
    return data;
}

Disk::Disk(int cylinders, uint8_t seed) : cylinders_(cylinders), seed_(seed) {
    require(cylinders >= 1 && cylinders <= kMaxCylinders, "cylinders outside 1..82");
    for (int t = 0; t < trackCount(); ++t) {
        tracks_[static_cast<size_t>(t)] = standardTrack(seed, t);
    }
}

std::vector<Record>& Disk::track(int index) {
    requireTrackIndex(index);
    return tracks_[static_cast<size_t>(index)];
}

const std::vector<Record>& Disk::track(int index) const {
    requireTrackIndex(index);
    return tracks_[static_cast<size_t>(index)];
}

Bytes& Disk::sector(int track, int r) {
    const Disk& self = *this;
    return const_cast<Bytes&>(self.sector(track, r));
}

const Bytes& Disk::sector(int track, int r) const {
    const std::vector<Record>& records = this->track(track);
    const auto found = std::find_if(records.begin(), records.end(),
                                    [r](const Record& record) { return record.r == r; });
    require(found != records.end(), "no sector with that R on the track");
    return found->data;
}

void Disk::writeRun(int track, int r, const Bytes& bytes) {
    for (size_t done = 0; done < bytes.size(); advance(track, r)) {
        const size_t chunk = std::min(kSectorSize, bytes.size() - done);
        Bytes& data = sector(track, r);
        require(data.size() >= chunk, "sector too short for the run laid over it");
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(done), chunk, data.begin());
        done += chunk;
    }
}

Bytes Disk::readRun(int track, int r, size_t length) const {
    Bytes run;
    for (; run.size() < length; advance(track, r)) {
        const size_t chunk = std::min(kSectorSize, length - run.size());
        const Bytes& data = sector(track, r);
        require(data.size() >= chunk, "sector too short for the run read from it");
        run.insert(run.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(chunk));
    }
    return run;
}

void Disk::removeTrack(int track) {
    this->track(track).clear();
    entryOverrides_[static_cast<size_t>(track)].reset();
}

void Disk::removeSector(int track, int r) {
    std::vector<Record>& records = this->track(track);
    const auto found = std::find_if(records.begin(), records.end(),
                                    [r](const Record& record) { return record.r == r; });
    require(found != records.end(), "no sector with that R to remove");
    records.erase(found);
    for (Record& record : records) {
        record.sectorCount = static_cast<uint16_t>(records.size());
    }
}

void Disk::setName(std::string raw) { name_ = std::move(raw); }

void Disk::setMediaType(uint8_t mediaType) { mediaType_ = mediaType; }

void Disk::setSizeField(uint32_t size) { sizeField_ = size; }

void Disk::setTrackEntry(int track, uint32_t raw) {
    requireTrackIndex(track);
    entryOverrides_[static_cast<size_t>(track)] = raw;
}

uint32_t Disk::trackOffset(int track) const {
    requireTrackIndex(track);
    return layoutOffsets()[static_cast<size_t>(track)];
}

// Where each track's records start; the extra last slot is the disk's total size.
std::array<uint32_t, kMaxTracks + 1> Disk::layoutOffsets() const {
    std::array<uint32_t, kMaxTracks + 1> offsets{};
    size_t offset = kHeaderSize;
    for (size_t t = 0; t < tracks_.size(); ++t) {
        offsets[t] = static_cast<uint32_t>(offset);
        offset += recordsSize(tracks_[t]);
    }
    require(offset <= std::numeric_limits<uint32_t>::max(), "disk larger than 4 GiB");
    offsets[kMaxTracks] = static_cast<uint32_t>(offset);
    return offsets;
}

DiskHeader Disk::header(const std::array<uint32_t, kMaxTracks + 1>& layout) const {
    DiskHeader fields{name_, mediaType_, sizeField_.value_or(layout[kMaxTracks]), {}};
    for (size_t t = 0; t < tracks_.size(); ++t) {
        const uint32_t laidOut = tracks_[t].empty() ? 0 : layout[t];
        fields.entries[t] = entryOverrides_[t].value_or(laidOut);
    }
    return fields;
}

Bytes Disk::bytes() const {
    const auto layout = layoutOffsets();
    Bytes out = headerBytes(header(layout));
    for (const std::vector<Record>& records : tracks_) {
        for (const Record& record : records) {
            appendRecord(out, record);
        }
    }
    return out;
}

Bytes concat(std::initializer_list<Bytes> disks) {
    Bytes out;
    for (const Bytes& disk : disks) {
        out.insert(out.end(), disk.begin(), disk.end());
    }
    return out;
}

Bytes concat(std::initializer_list<const Disk*> disks) {
    Bytes out;
    for (const Disk* disk : disks) {
        const Bytes bytes = disk->bytes();
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    return writeFile(path, bytes.data(), bytes.size());
}

bool writeFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    return !out.fail();
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace d88build
