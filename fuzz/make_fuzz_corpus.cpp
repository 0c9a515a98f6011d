// Writes the fuzzers' seed corpus into a folder, built by the test image builder:
// the sample set, its disks alone and in pairs, and malformed and hostile
// variants of it. Nothing of it is kept in the repository; the fuzzing stage
// makes it afresh each time.
#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/game_disk.h"
#include "support/hostile_images.h"
#include "support/sample_set.h"

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

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: make_fuzz_corpus FOLDER\n", stderr);
        return 1;
    }
    std::vector<Seed> seeds = sampleSeeds();
    for (Seed& seed : malformedSeeds()) {
        seeds.push_back(std::move(seed));
    }
    for (const Seed& seed : seeds) {
        const std::string path = std::string(argv[1]) + "/" + seed.name + ".d88";
        if (!d88build::writeFile(path, seed.make())) {
            std::fprintf(stderr, "make_fuzz_corpus: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
