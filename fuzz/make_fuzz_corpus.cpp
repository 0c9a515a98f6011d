// Writes the fuzzers' seed corpora, built by the test image builder: into the
// first folder images (the sample set, its disks alone and in pairs, and
// malformed and hostile variants of it), into the second one descriptions for
// the structured target (fuzz/image_description.h) of the set and of large
// hostile images. Nothing of it is kept in the repository; the fuzzing stage
// makes it afresh each time.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/image_description.h"
#include "samples/game_disk.h"
#include "samples/hostile_images.h"
#include "samples/sample_set.h"

namespace {

using d88build::Bytes;
using d88build::Disk;
using d88build::SampleSet;

constexpr size_t kShortOfAHeader = d88build::kHeaderSize - 1;
constexpr size_t kCutInsideATrack = 100000;
constexpr size_t kSmallWorstCase = 256 * 1024;
constexpr int kLongTrackRecords = 3000;
constexpr uint32_t kAllOnes = 0xFFFFFFFFu;
constexpr uint32_t kIntoTheTrackTable = 32;
constexpr uint32_t kFarPastTheFile = 0x7FFFFF00;

using Role = Disk SampleSet::*;
constexpr Role demoDisk = &SampleSet::demo;
constexpr Role mainDisk = &SampleSet::main;
constexpr Role scenarioDisk = &SampleSet::scenario;
using Change = std::function<void(SampleSet&)>;

struct Seed {
    std::string name;
    std::function<Bytes()> make;
};

// The disk without the tracks that hold nothing but the builder's standard fill:
// a small seed that runs through the same recognition and loads, so that the
// fuzzer gets through many more of its variants in its time.
Disk sparse(Disk disk) {
    for (int track = 0; track < d88build::kMaxTracks; ++track) {
        bool standardOnly = true;
        for (const d88build::Record& record : disk.track(track)) {
            standardOnly = standardOnly &&
                           record.data == d88build::standardSector(disk.seed(), track, record.r);
        }
        if (standardOnly) {
            disk.removeTrack(track);
        }
    }
    return disk;
}

// The sample set's disks of these roles, in this order, after `change`.
Bytes disksOf(const std::vector<Role>& roles, bool sparseDisks, const Change& change = {}) {
    SampleSet set = d88build::makeSampleSet();
    if (change) {
        change(set);
    }
    Bytes image;
    for (Role role : roles) {
        const Bytes disk = (sparseDisks ? sparse(set.*role) : set.*role).bytes();
        image.insert(image.end(), disk.begin(), disk.end());
    }
    return image;
}

// Small variants of the set, with the change that makes them malformed.
Bytes variant(const std::vector<Role>& roles, const Change& change) {
    return disksOf(roles, true, change);
}

Bytes truncated(Bytes image, size_t size) {
    image.resize(size);
    return image;
}

// The set whole, each disk alone and in pairs, each whole and sparse.
std::vector<Seed> sampleSeeds() {
    const std::vector<std::pair<std::string, std::vector<Role>>> sets = {
        {"sample", {demoDisk, mainDisk, scenarioDisk}},
        {"demo", {demoDisk}},
        {"main", {mainDisk}},
        {"scenario", {scenarioDisk}},
        {"demo-main", {demoDisk, mainDisk}},
        {"main-scenario", {mainDisk, scenarioDisk}},
        {"demo-scenario", {demoDisk, scenarioDisk}},
        {"scenario-main", {scenarioDisk, mainDisk}},
    };
    std::vector<Seed> seeds;
    for (const auto& [name, roles] : sets) {
        for (bool sparseDisks : {false, true}) {
            seeds.push_back({(sparseDisks ? "sparse-" : "") + name,
                             [roles = roles, sparseDisks] { return disksOf(roles, sparseDisks); }});
        }
    }
    return seeds;
}

std::vector<Seed> malformedSeeds() {
    return {
        {"short-of-a-header", [] { return truncated(disksOf({demoDisk}, true), kShortOfAHeader); }},
        {"cut-inside-a-track",
         [] {
             return truncated(disksOf({demoDisk, mainDisk, scenarioDisk}, true), kCutInsideATrack);
         }},
        {"size-zero",
         [] {
             return variant({mainDisk, scenarioDisk}, [](SampleSet& s) { s.main.setSizeField(0); });
         }},
        {"size-all-ones",
         [] {
             return variant({demoDisk, mainDisk, scenarioDisk},
                            [](SampleSet& s) { s.main.setSizeField(kAllOnes); });
         }},
        {"track-entries-odd",
         [] {
             return variant({mainDisk, scenarioDisk}, [](SampleSet& s) {
                 s.main.setTrackEntry(0, kAllOnes);
                 s.main.setTrackEntry(2, kIntoTheTrackTable);
                 s.main.setTrackEntry(3, kFarPastTheFile);
             });
         }},
        {"long-zero-length-track",
         [] {
             return variant({mainDisk, scenarioDisk}, [](SampleSet& s) {
                 d88build::prependZeroLengthRecords(s.main, d88build::kSystemTrack,
                                                    kLongTrackRecords);
             });
         }},
        {"bgmscore-loops",
         [] {
             return variant({mainDisk, scenarioDisk},
                            [](SampleSet& s) { d88build::loopBgmscoreChain(s.scenario); });
         }},
        {"largest-music-table",
         [] {
             return variant({mainDisk, scenarioDisk}, [](SampleSet& s) {
                 std::array<d88build::MusicPiece, d88build::kMusicPieces> pieces;
                 pieces.fill({0xFFFF, 0xFFFF, 0xFFFF});
                 d88build::setMusicTable(s, pieces);
             });
         }},
        {"worst-case-small",
         [] {
             d88build::WorstCaseRecipe recipe;
             recipe.runToEnd = true;
             recipe.fileSize = kSmallWorstCase;
             return d88build::worstCaseImage(recipe);
         }},
    };
}

// ---- Descriptions: each command as its bytes.

using fuzzimage::Op;

class Description {
public:
    Description& op(Op op) { return u8(static_cast<uint8_t>(op)); }
    Description& u8(uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    Description& u16(uint16_t value) { return u8(value & 0xFF).u8(value >> 8); }
    Description& u32(uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
    const Bytes& bytes() const { return bytes_; }
    // Caps the image at the size class (see fuzz/image_description.h).
    Description& capped(uint8_t sizeClass) {
        bytes_.at(0) = fuzzimage::withSizeClass(bytes_.at(0), sizeClass);
        return *this;
    }

    // A header whose size runs to the next header (or the end), named "FUZZ".
    Description& disk() { return op(Op::disk).u8('F').u8(4).u8(0).u8(0).u32(0); }
    // A header whose size ends `offset` bytes into region `region`.
    Description& diskEndingIn(uint8_t region, uint32_t offset) {
        return op(Op::disk).u8('F').u8(4).u8(0).u8(2).u32(region | offset << 8);
    }
    Description& records(uint16_t repeat, uint8_t scale, uint8_t countMode, uint16_t count,
                         uint16_t length) {
        return op(Op::records).u16(repeat).u8(scale).u8(2).u8(0).u8(0).u8(1).u8(0)
            .u8(countMode).u16(count).u16(length).u8(0xE5);
    }
    Description& tracks(bool allDisks, uint8_t region, uint16_t offset, uint8_t stride) {
        return op(Op::tracks).u8(allDisks ? 1 : 0).u8(0).u8(163).u8(region).u16(offset)
            .u8(stride);
    }
    Description& game(uint8_t kind) { return op(Op::game).u8(kind).u8(0); }
    Description& sampleSet() { return game(0).game(1).game(2); }
    Description& repeat(uint16_t length, uint8_t times) {
        return op(Op::repeat).u16(length).u8(times);
    }

private:
    Bytes bytes_;
};

// A run of records is (repeat + 1) << (2 * scale) long.
struct RunLength {
    uint16_t repeat;
    uint8_t scale;
};
constexpr RunLength kRunFillingTheCap{0xFFFF, 3};
constexpr RunLength kShortRun{0xFFF, 0};
// Size classes: the cap itself, 4 MiB, 1 MiB (the set fits), 256 KiB.
constexpr uint8_t kAtTheCap = 0;
constexpr uint8_t kFourMiB = 1;
constexpr uint8_t kOneMiB = 2;
constexpr uint8_t kSmall = 3;
uint8_t sizeClassOf(RunLength run) {
    return run.scale == kRunFillingTheCap.scale ? kAtTheCap : kSmall;
}
constexpr uint16_t kSampleSetUnits = 16353;  // the set's 1,046,544 bytes in 64-byte units
constexpr uint8_t kSampleSetCopies = 15;
constexpr uint8_t kCountEveryRecord = 0;
constexpr uint8_t kCountPastEveryWalk = 2;
constexpr uint16_t kLongestCount = 0xFFFF;
constexpr uint8_t kRecordStride = 16;
constexpr uint8_t kInterleavedStride = 4;
constexpr int kDisksBeforeTheSet = 8;
constexpr uint8_t kFirstRunRegion = 1;  // after the first disk header
constexpr uint16_t kRecordsOfTheDataDisk = 4096;
constexpr uint16_t kSectorLength = 256;
// The second disk's header starts 4 bytes into a record of the run.
constexpr uint32_t kHeaderInsideRun = 16 * 100 + 4;

// One disk whose every track starts in one run of records, `stride` bytes apart.
Bytes oneRunDisk(RunLength run, uint8_t countMode, uint16_t count, uint8_t stride) {
    return Description().disk()
        .records(run.repeat, run.scale, countMode, count, 0)
        .tracks(false, kFirstRunRegion, 0, stride).capped(sizeClassOf(run)).bytes();
}

// Disks whose tracks all start in one run of records, then the sample set.
Bytes setBehindSharedRun(RunLength run) {
    Description d;
    for (int i = 0; i < kDisksBeforeTheSet; ++i) {
        d.disk();
    }
    // The small one holds the set after its run: 1.1 MB, in the 4 MiB class.
    return d.records(run.repeat, run.scale, kCountPastEveryWalk, 0, 0)
        .tracks(true, kDisksBeforeTheSet, 0, kRecordStride).sampleSet()
        .capped(sizeClassOf(run) == kAtTheCap ? kAtTheCap : kFourMiB).bytes();
}

// A disk whose size ends inside its own run of records, where the next disk's
// header is read from the records.
Bytes headerInsideRun(RunLength run) {
    return Description().diskEndingIn(kFirstRunRegion, kHeaderInsideRun)
        .records(run.repeat, run.scale, kCountPastEveryWalk, 0, 0)
        .tracks(false, kFirstRunRegion, 0, kRecordStride).capped(sizeClassOf(run)).bytes();
}

// Inputs that fuzzing found (slower than the time limit; a disk file named "-"
// that a whole-disk copy wrote to standard output), kept as seeds so that every
// run of the stage tries them again.
struct FoundInput {
    std::string name;
    const char* base64;
};

const FoundInput foundInputs[] = {
    {"found-long-run-listed-by-every-track",
     "AEYEAAAAAAAAAEYEAAAAAAAAAEZYWFhYWFhYWFgEJQAAAAAABAAAAEYAAAAB//8DAgAQAwAAA+rq6urq6urq6v///"
     "6Hq6urqAQADAgA="},
    {"found-header-inside-a-run-at-the-cap", "AEYEAAIBRAYAAf//AwIAAAEAAgAAAADlAgAAowEAABA="},
    {"found-ids-no-run-asks-for",
     "AEYARgQAAgECAUQGAAH/DwACAEcAAAIAAAAA5QIAAKMBioqKiop6iooAAAAABAgAAKMB/////////y8A"},
    {"found-a-file-named-dash",  // its first byte's cap set to 256 KiB, where it was found
     "GwBGigEAYEAAGjwxwsOKPcLCwsLCwj3Pz8/Pz8/Pz8/Pz8/Pz8/Pz8/Pz8/Pz//////////////Pz8/Pz88tPT09BAAA"
     "AAAIAACjAQAAEA=="},
    {"found-slow-run-at-the-cap",
     "AEYEAAAAAFJSUlJSUlIAAOoB//8DAgAAAAECAAAAAOUCAACj7u7u7u7u7u7u7u7u7u4BAAAE///////////////9////"
     "////////////////////AAAAAAAAAEn///8="},
    {"found-runs-from-sector-zero",
     "AEYARgQAAgFEBgAB/w8AAgAAJAEAAgAAAADlAgAAowEAABCKioqKioqKiorFioqKeoqKBAAB/////////y8AABA="},
};

Bytes decodeBase64(const std::string& text) {
    Bytes bytes;
    uint32_t bits = 0;
    int held = 0;
    for (char c : text) {
        const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        const char* at = std::strchr(alphabet, c);
        if (c == '=' || at == nullptr) {
            break;
        }
        bits = (bits << 6) | static_cast<uint32_t>(at - alphabet);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(static_cast<uint8_t>(bits >> held));
        }
    }
    return bytes;
}

std::vector<Seed> descriptionSeeds() {
    std::vector<Seed> seeds = {
        {"set", [] { return Description().sampleSet().capped(kOneMiB).bytes(); }},
        {"set-repeated",
         [] { return Description().sampleSet().repeat(kSampleSetUnits, kSampleSetCopies).bytes(); }},
        {"set-among-sized-disks",
         [] {
             return Description().game(0).disk()
                 .records(kRecordsOfTheDataDisk, 1, kCountEveryRecord, kSectorLength, kSectorLength)
                 .tracks(false, 2, 0, kRecordStride).game(1).game(2).bytes();
         }},
    };
    // The hostile kinds at the cap and small, so that most runs stay quick.
    for (const auto& [size, run] : {std::pair{"", kRunFillingTheCap}, {"-small", kShortRun}}) {
        const RunLength length = run;
        const std::string suffix = size;
        seeds.push_back({"zero-length-run" + suffix, [length] {
                             return oneRunDisk(length, kCountEveryRecord, kLongestCount,
                                               kRecordStride);
                         }});
        seeds.push_back({"run-to-end" + suffix, [length] {
                             return oneRunDisk(length, kCountPastEveryWalk, 0, kRecordStride);
                         }});
        seeds.push_back({"interleaved-walks" + suffix, [length] {
                             return oneRunDisk(length, kCountPastEveryWalk, 0, kInterleavedStride);
                         }});
        seeds.push_back({"set-behind-shared-run" + suffix,
                         [length] { return setBehindSharedRun(length); }});
    }
    seeds.push_back({"header-inside-a-run", [] { return headerInsideRun(kRunFillingTheCap); }});
    seeds.push_back({"header-inside-a-run-small", [] { return headerInsideRun(kShortRun); }});
    for (const FoundInput& found : foundInputs) {
        seeds.push_back({found.name, [&found] { return decodeBase64(found.base64); }});
    }
    return seeds;
}

bool writeSeeds(const std::vector<Seed>& seeds, const std::string& folder) {
    for (const Seed& seed : seeds) {
        const std::string path = folder + "/" + seed.name;
        if (!d88build::writeFile(path, seed.make())) {
            std::fprintf(stderr, "make_fuzz_corpus: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: make_fuzz_corpus IMAGE_FOLDER DESCRIPTION_FOLDER\n", stderr);
        return 1;
    }
    std::vector<Seed> seeds = sampleSeeds();
    for (Seed& seed : malformedSeeds()) {
        seeds.push_back(std::move(seed));
    }
    for (Seed& seed : seeds) {
        seed.name += ".d88";
    }
    return writeSeeds(seeds, argv[1]) && writeSeeds(descriptionSeeds(), argv[2]) ? 0 : 1;
}
