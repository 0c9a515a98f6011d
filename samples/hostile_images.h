// Images made to cost the reader as much as an image of their size can: tracks
// of tens of thousands of records or more, walked again from many different
// starts, by loads whose cluster chains visit many tracks in turn. The tests
// check their outcome at just under 2 MiB and the search's answers on small
// ones; the benchmark times whole runs on them up to 256 MiB.
#pragma once

#include <cstddef>
#include <ostream>
#include <vector>

#include "samples/d88_builder.h"

namespace d88build {

// Every image here stays below this size: the bound the reader's speed is held to.
constexpr size_t kHostileImageLimit = 2 * 1024 * 1024;

// Track `track` of `disk` begins with `count` zero-length records with distinct
// IDs (R 0xEE, which the tool never asks for), each stating 65,535 sectors; the
// track's own records follow them.
void prependZeroLengthRecords(Disk& disk, int track, int count);

// A scenario disk of 82 cylinders whose "bgmscore" (size field 0xFFFF) has the
// longest chain the allocation table can express: it starts at cluster 255 and
// then runs through every cluster below the end-of-chain mark (0xC0) but 81, which
// holds the directory: 192 clusters, each filled with its own pattern. "sud_data"
// is `sudData` (at most one cluster) in cluster 200.
struct LongChainDisk {
    Disk disk;
    // What loading "bgmscore" puts at the start of the work buffer: the chain's
    // clusters but the last, read whole (the size field ends the load there).
    Bytes loaded;
};
LongChainDisk longChainScenarioDisk(const Bytes& sudData);

// Makes "bgmscore" of the sample set's scenario disk loop: its third cluster
// leads back to its first.
void loopBgmscoreChain(Disk& scenario);

struct WorstCaseRecipe {
    // Sector counts chosen so that no walk of the run meets a count that ends it:
    // walks run on to the end of the file. Otherwise every record of the run
    // states 65,535 sectors, so a walk ends after 65,535 records.
    bool runToEnd = false;
    // Disks 2 to 64 carry the demo signature, so each also has its four cuts made
    // (and disk 1 has no track 0, so that it does not find their signatures).
    bool otherDisksAreDemo = false;
    // Every sector of the clusters a chain can reach exists, at the end of the
    // file, so loads find their sectors at the far end of every walk instead of
    // missing them at once. Only useful with runToEnd.
    bool clusterSectorsAtEnd = false;
    // Every track of disks 2 to 64 starts at a record of the run, not only the
    // tracks the run reads: 64 x 164 walks on one run.
    bool otherDisksAllTracks = false;
    // The image's size: a multiple of 16, large enough for the 64 disks (smaller
    // ones make quick fuzzing seeds; the benchmark's reach 256 MiB).
    size_t fileSize = kHostileImageLimit - 16;
};

// 64 disks in one run of zero-length records (distinct IDs, size code 0) that
// fills the file. Disk 1 is both the main and the scenario disk: its directory
// lists "startup", "sud_data" and "bgmscore", each 65,535 bytes, whose chains all
// go round one loop over the 192 clusters a chain can reach, on 96 tracks that
// start at different records of the run, in falling order. Disks 2 to 64 lie
// inside the run, their headers made of records that keep the run going; their
// tracks 0 and 40 (and the demo cut tracks) start at different records of it.
Bytes worstCaseImage(const WorstCaseRecipe& recipe);

// One disk, both main and scenario disk as above, in a file of 16-byte blocks
// that read as zero-length records (each stating 65,535 sectors) at four offsets
// of every block, so that walks on four interleaved grids of records never meet:
// four times the records to index. Its tracks start on the four grids in turn,
// spread over the first half of the file in falling order; its directory track
// lies at the end.
// With `toEnd`, records state 1 sector but where a track starts (65,535 there):
// no walk meets a count that ends it, and each runs to the end of the file.
Bytes fourGridImage(size_t fileSize = kHostileImageLimit - 16, bool toEnd = false);

// A file of one byte value repeated, read as records whose data length and count
// are both 257 times it: from any byte a walk steps on by the same stride, so
// walks that start at different bytes never meet. 64 disks, laid out so that
// their 10,496 tracks start at as many different bytes of one stride: as many
// records to read as the file has bytes, and none shared.
Bytes byteGridImage(size_t fileSize);

// The worst cases above, each named and made at a size given (a multiple of 16,
// at least kHostileImageLimit - 16): the benchmark's images and the rows of the
// test that bounds the reading's work.
struct HostileRecipe {
    const char* name;
    Bytes (*make)(size_t fileSize);
};
// Names the recipe in test listings instead of dumping its bytes.
inline void PrintTo(const HostileRecipe& recipe, std::ostream* out) {
    *out << recipe.name;
}
const std::vector<HostileRecipe>& hostileRecipes();

}  // namespace d88build
