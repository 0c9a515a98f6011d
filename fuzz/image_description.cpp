#include "fuzz/image_description.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "samples/game_disk.h"
#include "samples/sample_set.h"

namespace fuzzimage {

namespace {

using d88build::Disk;

constexpr int tracks = d88build::kMaxTracks;
constexpr std::size_t nameLengths = d88build::kNameSize + 1;
constexpr std::size_t repeatUnit = 64;
constexpr std::size_t fillUnit = 16;
constexpr int repeatTimes = 16;
constexpr int opCount = 8;
constexpr int regionBits = 8;
constexpr int idModes = 4;
constexpr int countModes = 4;
constexpr int scales = 4;
constexpr int gameKinds = 4;
constexpr int editKinds = 3;
constexpr int directoryEdit = 0;
constexpr int allocationEdit = 1;
constexpr int sparseEdit = 2;
constexpr int editsAtMost = 8;
const char* const knownNames[] = {"startup", "sud_data", "bgmscore", "opdrv"};
constexpr std::size_t knownNameCount = sizeof knownNames / sizeof knownNames[0];

class Reader {
public:
    Reader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    uint8_t u8() { return at_ < size_ ? data_[at_++] : 0; }
    // Low byte first; each read is its own statement, so the order is fixed.
    uint16_t u16() {
        const uint16_t low = u8();
        return static_cast<uint16_t>(low | u8() << 8);
    }
    uint32_t u32() {
        const uint32_t low = u16();
        return low | static_cast<uint32_t>(u16()) << 16;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

enum class SizeMode : uint8_t { toNextDisk, raw, toRegion, own };
constexpr int writtenSizeModes = 3;

struct DiskMark {
    std::size_t offset;
    SizeMode mode;
    uint32_t value;
};

struct TrackPlan {
    bool allDisks;
    int first;
    int count;
    uint8_t region;
    uint32_t offset;
    uint8_t stride;
};

struct Patch {
    uint8_t region;
    uint32_t offset;
    uint16_t value;
};

struct RunRecipe {
    uint8_t idMode, c, h, r, n, countMode;
    uint16_t count, length;
    uint8_t fill;
};

class Expansion {
public:
    Expansion(Bytes& image, std::size_t cap) : image_(image), cap_(cap) { image_.clear(); }

    void run(Reader& in) {
        while (!in.done() && image_.size() < cap_) {
            command(in);
        }
        layOut();
    }

    static void makeGameDisks() {
        for (int kind = 0; kind < gameKinds; ++kind) {
            for (const bool sparse : {false, true}) {
                gameDisk(kind, sparse);
            }
        }
    }

private:
    void command(Reader& in) {
        switch (static_cast<Op>(in.u8() % opCount)) {
            case Op::disk: return disk(in);
            case Op::records: return records(in);
            case Op::tracks: return trackPlan(in);
            case Op::game: return game(in);
            case Op::raw: return raw(in);
            case Op::repeat: return repeat(in);
            case Op::fill: return fill(in);
            case Op::patch: return patch(in);
        }
    }

    std::size_t room() const { return cap_ - image_.size(); }

    void append(const uint8_t* bytes, std::size_t count) {
        image_.insert(image_.end(), bytes, bytes + std::min(count, room()));
    }

    void startRegion() { regions_.push_back(image_.size()); }

    void disk(Reader& in) {
        d88build::DiskHeader header;
        const uint8_t nameByte = in.u8();
        header.name.assign(in.u8() % nameLengths, static_cast<char>(nameByte));
        header.mediaType = in.u8();
        const auto mode = static_cast<SizeMode>(in.u8() % writtenSizeModes);
        const uint32_t value = in.u32();
        startRegion();
        disks_.push_back({image_.size(), mode, value});
        const Bytes bytes = d88build::headerBytes(header);
        append(bytes.data(), bytes.size());
    }

    static uint16_t countOf(const RunRecipe& recipe, std::size_t j, std::size_t runLength) {
        switch (recipe.countMode % countModes) {
            case 0: return recipe.count;
            case 1: return static_cast<uint16_t>(runLength);
            case 2: return static_cast<uint16_t>(j + 2 + recipe.count);
            default: return static_cast<uint16_t>(j * recipe.count);
        }
    }

    static std::array<uint8_t, 4> idOf(const RunRecipe& recipe, std::size_t j) {
        const auto step = static_cast<uint32_t>(j);
        switch (recipe.idMode % idModes) {
            case 0: return {recipe.c, recipe.h, recipe.r, recipe.n};
            case 1: return {recipe.c, recipe.h, static_cast<uint8_t>(recipe.r + step), recipe.n};
            case 2: {
                const uint32_t id = (static_cast<uint32_t>(recipe.c) << 16 |
                                     static_cast<uint32_t>(recipe.h) << 8 | recipe.r) + step;
                return {static_cast<uint8_t>(id >> 16), static_cast<uint8_t>(id >> 8),
                        static_cast<uint8_t>(id), recipe.n};
            }
            default:
                return {static_cast<uint8_t>(recipe.c + step), recipe.h,
                        static_cast<uint8_t>(recipe.r + step), recipe.n};
        }
    }

    // The record is laid out once by the builder, then copied with its ID and
    // count set for each place in the run.
    void records(Reader& in) {
        const uint16_t repeat = in.u16();
        const std::size_t runLength = (std::size_t{repeat} + 1) << (2 * (in.u8() % scales));
        RunRecipe recipe{};
        recipe.idMode = in.u8();
        recipe.c = in.u8();
        recipe.h = in.u8();
        recipe.r = in.u8();
        recipe.n = in.u8();
        recipe.countMode = in.u8();
        recipe.count = in.u16();
        recipe.length = in.u16();
        recipe.fill = in.u8();
        d88build::Record record;
        record.data.assign(recipe.length, recipe.fill);
        Bytes laidOut;
        d88build::appendRecord(laidOut, record);
        startRegion();
        // The records that fit whole are written in place; the cap may cut the next.
        const std::size_t first = image_.size();
        const std::size_t whole = std::min(runLength, room() / laidOut.size());
        image_.resize(first + whole * laidOut.size());
        for (std::size_t j = 0; j < whole; ++j) {
            const auto at = image_.begin() + static_cast<std::ptrdiff_t>(first + j * laidOut.size());
            std::copy(laidOut.begin(), laidOut.end(), at);
            placeRecord(recipe, j, runLength, &*at);
        }
        if (whole < runLength) {
            placeRecord(recipe, whole, runLength, laidOut.data());
            append(laidOut.data(), laidOut.size());
        }
    }

    // Sets the ID and sector count of record j of the run in its laid-out bytes.
    static void placeRecord(const RunRecipe& recipe, std::size_t j, std::size_t runLength,
                            uint8_t* record) {
        const std::array<uint8_t, 4> id = idOf(recipe, j);
        std::copy(id.begin(), id.end(), record);
        const uint16_t count = countOf(recipe, j, runLength);
        record[d88build::kRecordCountOffset] = static_cast<uint8_t>(count);
        record[d88build::kRecordCountOffset + 1] = static_cast<uint8_t>(count >> 8);
    }

    void trackPlan(Reader& in) {
        TrackPlan plan{};
        plan.allDisks = in.u8() != 0;
        plan.first = in.u8() % tracks;
        plan.count = in.u8() + 1;
        plan.region = in.u8();
        plan.offset = in.u16();
        plan.stride = in.u8();
        if (plan.allDisks || !disks_.empty()) {
            plan.count = std::min(plan.count, tracks);
            plans_.push_back({plan, disks_.size()});
        }
    }

    static const d88build::SampleSet& sampleSet() {
        static const d88build::SampleSet set = d88build::makeSampleSet();
        return set;
    }

    static Disk freshGameDisk(int kind) {
        switch (kind) {
            case 0: return sampleSet().demo;
            case 1: return sampleSet().main;
            case 2: return sampleSet().scenario;
            default: {
                Disk disk;
                d88build::formatGameFs(disk);
                return disk;
            }
        }
    }

    static void dropStandardTracks(Disk& disk) {
        for (int track = 0; track < tracks; ++track) {
            bool standardOnly = true;
            for (const d88build::Record& record : disk.track(track)) {
                standardOnly = standardOnly && record.data == d88build::standardSector(
                                                                   disk.seed(), track, record.r);
            }
            if (standardOnly) {
                disk.removeTrack(track);
            }
        }
    }

    // Each kind of disk whole and sparse, with its bytes, made once: most game
    // commands edit no entry.
    struct GameDisk {
        Disk disk;
        Bytes bytes;
    };
    static const GameDisk& gameDisk(int kind, bool sparse) {
        static std::array<std::array<std::optional<GameDisk>, 2>, gameKinds> made;
        std::optional<GameDisk>& slot = made[kind][sparse ? 1 : 0];
        if (!slot) {
            Disk disk = freshGameDisk(kind);
            if (sparse) {
                dropStandardTracks(disk);
            }
            Bytes bytes = disk.bytes();
            slot = GameDisk{std::move(disk), std::move(bytes)};
        }
        return *slot;
    }

    struct Edit {
        int kind;
        int slot;
        const char* name;
        uint16_t size;
        uint8_t cluster;
        uint8_t value;
    };

    static Edit readEdit(Reader& in) {
        Edit edit{};
        edit.kind = in.u8() % editKinds;
        if (edit.kind == directoryEdit) {
            edit.slot = in.u8() % d88build::kDirectoryEntries;
            edit.name = knownNames[in.u8() % knownNameCount];
            edit.size = in.u16();
            edit.cluster = in.u8();
        } else if (edit.kind == allocationEdit) {
            edit.cluster = in.u8();
            edit.value = in.u8();
        }
        return edit;
    }

    static void apply(Disk& disk, const Edit& edit) {
        if (edit.kind == directoryEdit) {
            d88build::setEntry(disk, edit.slot, edit.name, edit.size, edit.cluster);
        } else if (edit.kind == allocationEdit) {
            d88build::setAllocation(disk, edit.cluster, edit.value);
        }
    }

    void game(Reader& in) {
        const int kind = in.u8() % gameKinds;
        const int count = in.u8() % editsAtMost;
        std::vector<Edit> edits;
        bool sparse = false;
        for (int i = 0; i < count; ++i) {
            edits.push_back(readEdit(in));
            sparse = sparse || edits.back().kind == sparseEdit;
        }
        startRegion();
        disks_.push_back({image_.size(), SizeMode::own, 0});
        const GameDisk& made = gameDisk(kind, sparse);
        const std::size_t start = image_.size();
        append(made.bytes.data(), made.bytes.size());
        if (std::any_of(edits.begin(), edits.end(),
                        [](const Edit& edit) { return edit.kind != sparseEdit; })) {
            layOverSystemTrack(made, edits, start);
        }
    }

    // The edits change sector data of the system track only, never its length:
    // they are made on a copy of that track and its data laid over the disk's
    // bytes, which is what the whole disk edited would lay out, at a fraction of
    // the cost.
    void layOverSystemTrack(const GameDisk& made, const std::vector<Edit>& edits,
                            std::size_t start) {
        Disk edited(1, made.disk.seed());
        edited.track(d88build::kSystemTrack) = made.disk.track(d88build::kSystemTrack);
        for (const Edit& edit : edits) {
            apply(edited, edit);
        }
        std::size_t at = start + made.disk.trackOffset(d88build::kSystemTrack);
        for (const d88build::Record& record : edited.track(d88build::kSystemTrack)) {
            at += d88build::kRecordHeaderSize;
            for (std::size_t i = 0; i < record.data.size() && at + i < image_.size(); ++i) {
                image_[at + i] = record.data[i];
            }
            at += record.data.size();
        }
    }

    void raw(Reader& in) {
        const int length = in.u8();
        startRegion();
        for (int i = 0; i < length && room() > 0; ++i) {
            image_.push_back(in.u8());
        }
    }

    void repeat(Reader& in) {
        const std::size_t length = std::min(repeatUnit * in.u16(), image_.size());
        const int times = 1 + in.u8() % repeatTimes;
        const std::size_t from = image_.size() - length;
        for (int i = 0; i < times && length > 0 && room() > 0; ++i) {
            const std::size_t count = std::min(length, room());
            image_.resize(image_.size() + count);
            std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(from), count,
                        image_.end() - static_cast<std::ptrdiff_t>(count));
        }
    }

    void fill(Reader& in) {
        const std::size_t length = fillUnit * (std::size_t{in.u16()} + 1);
        image_.insert(image_.end(), std::min(length, room()), in.u8());
    }

    void patch(Reader& in) {
        Patch change{};
        change.region = in.u8();
        change.offset = in.u16();
        change.value = in.u16();
        patches_.push_back(change);
    }

    // ---- Laying out: what refers to later parts of the image.

    std::size_t regionStart(uint8_t region) const {
        return regions_.empty() ? 0 : regions_[region % regions_.size()];
    }

    bool headerWhole(const DiskMark& disk) const {
        return disk.offset <= image_.size() &&
               image_.size() - disk.offset >= d88build::kHeaderSize;
    }

    void putField(std::size_t at, uint32_t value) {
        if (at + 4 <= image_.size()) {
            d88build::putLe32(image_, at, value);
        }
    }

    uint32_t sizeOf(std::size_t index) const {
        const DiskMark& disk = disks_[index];
        switch (disk.mode) {
            case SizeMode::raw: return disk.value;
            case SizeMode::toRegion:
                return static_cast<uint32_t>(regionStart(static_cast<uint8_t>(disk.value)) +
                                             (disk.value >> regionBits) - disk.offset);
            default: {
                const std::size_t next =
                    index + 1 < disks_.size() ? disks_[index + 1].offset : image_.size();
                return static_cast<uint32_t>(next - disk.offset);
            }
        }
    }

    void setTracks(const DiskMark& disk, const TrackPlan& plan) {
        const std::size_t start = regionStart(plan.region) + plan.offset;
        for (int i = 0; i < plan.count; ++i) {
            const int track = (plan.first + i) % tracks;
            const auto entry = static_cast<uint32_t>(start + std::size_t{plan.stride} * i -
                                                     disk.offset);
            putField(disk.offset + d88build::kTrackTableOffset + 4 * std::size_t(track), entry);
        }
    }

    void layOut() {
        for (std::size_t i = 0; i < disks_.size(); ++i) {
            if (disks_[i].mode != SizeMode::own && headerWhole(disks_[i])) {
                putField(disks_[i].offset + d88build::kSizeFieldOffset, sizeOf(i));
            }
        }
        for (const auto& [plan, disksBefore] : plans_) {
            const std::size_t first = plan.allDisks ? 0 : disksBefore - 1;
            const std::size_t end = plan.allDisks ? disks_.size() : disksBefore;
            for (std::size_t i = first; i < end; ++i) {
                if (headerWhole(disks_[i])) {
                    setTracks(disks_[i], plan);
                }
            }
        }
        for (const Patch& change : patches_) {
            const std::size_t at = regionStart(change.region) + change.offset;
            if (at + 2 <= image_.size()) {
                d88build::putLe16(image_, at, change.value);
            }
        }
    }

    Bytes& image_;
    std::size_t cap_;
    std::vector<std::size_t> regions_;
    std::vector<DiskMark> disks_;
    std::vector<std::pair<TrackPlan, std::size_t>> plans_;  // with the disks written before
    std::vector<Patch> patches_;
};

}  // namespace

std::size_t imageCap(const uint8_t* data, std::size_t size) {
    const int sizeClass = size == 0 ? 0 : sizeClassOf(data[0]);
    return sizeClass < largeSizeClasses ? maxImageBytes >> (2 * sizeClass) : smallImageBytes;
}

void expandDescription(const uint8_t* data, std::size_t size, Bytes& image) {
    Reader in(data, size);
    Expansion(image, imageCap(data, size)).run(in);
}

void makeGameDisks() {
    Expansion::makeGameDisks();
}

}  // namespace fuzzimage
