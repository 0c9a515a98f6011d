// Writes the worst-case images of the reader's speed to a folder, one file per
// recipe, for tools/bench-hostile.sh to time whole runs on: as large as the
// tests' own (just under 2 MiB), or of a size given in MiB.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "support/hostile_images.h"
#include "support/sample_set.h"

namespace {

using d88build::Bytes;
using d88build::WorstCaseRecipe;

constexpr size_t kMiB = 1024 * 1024;

struct Kind {
    bool runToEnd = false;
    bool otherDisksAreDemo = false;
    bool clusterSectorsAtEnd = false;
    bool otherDisksAllTracks = false;
};

Bytes worstCase(Kind kind, size_t fileSize) {
    WorstCaseRecipe recipe;
    recipe.runToEnd = kind.runToEnd;
    recipe.otherDisksAreDemo = kind.otherDisksAreDemo;
    recipe.clusterSectorsAtEnd = kind.clusterSectorsAtEnd;
    recipe.otherDisksAllTracks = kind.otherDisksAllTracks;
    recipe.fileSize = fileSize;
    return d88build::worstCaseImage(recipe);
}

// The sample set, then 64 hostile disks of which the index keeps 61.
Bytes setThenHostile(size_t fileSize) {
    const Bytes set = d88build::sampleImage();
    const size_t rest = (fileSize - set.size()) / 16 * 16;
    return d88build::concat({set, worstCase({true, false, true, true}, rest)});
}

struct NamedImage {
    const char* file;
    std::function<Bytes(size_t)> make;
};

const NamedImage images[] = {
    {"count65535-misses.d88", [](size_t size) { return worstCase({}, size); }},
    {"to-end-misses.d88", [](size_t size) { return worstCase({true}, size); }},
    {"to-end-demo-disks.d88", [](size_t size) { return worstCase({true, true}, size); }},
    {"to-end-hits-at-end.d88", [](size_t size) { return worstCase({true, false, true}, size); }},
    {"to-end-all-tracks.d88",
     [](size_t size) { return worstCase({true, false, true, true}, size); }},
    {"four-grids.d88", [](size_t size) { return d88build::fourGridImage(size); }},
    {"four-grids-to-end.d88", [](size_t size) { return d88build::fourGridImage(size, true); }},
    {"set-then-hostile.d88", setThenHostile},
    {"byte-grids.d88", [](size_t size) { return d88build::byteGridImage(size); }},
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 && argc != 3) {
        std::fputs("usage: make_hostile_images FOLDER [MIB]\n", stderr);
        return 1;
    }
    const size_t size = argc == 3 ? static_cast<size_t>(std::atoi(argv[2])) * kMiB - 16
                                  : d88build::kHostileImageLimit - 16;
    for (const NamedImage& named : images) {
        const std::string path = std::string(argv[1]) + "/" + named.file;
        if (!d88build::writeFile(path, named.make(size))) {
            std::fprintf(stderr, "make_hostile_images: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
