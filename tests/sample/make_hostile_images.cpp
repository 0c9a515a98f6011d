// Writes the worst-case images of the reader's speed to a folder, one file per
// recipe, for tools/bench-hostile.sh to time whole runs on.
#include <cstdio>
#include <functional>
#include <string>

#include "support/hostile_images.h"

namespace {

using d88build::Bytes;
using d88build::WorstCaseRecipe;

Bytes worstCase(bool runToEnd, bool otherDisksAreDemo, bool clusterSectorsAtEnd) {
    WorstCaseRecipe recipe;
    recipe.runToEnd = runToEnd;
    recipe.otherDisksAreDemo = otherDisksAreDemo;
    recipe.clusterSectorsAtEnd = clusterSectorsAtEnd;
    return d88build::worstCaseImage(recipe);
}

struct NamedImage {
    const char* file;
    std::function<Bytes()> make;
};

const NamedImage images[] = {
    {"count65535-misses.d88", [] { return worstCase(false, false, false); }},
    {"to-end-misses.d88", [] { return worstCase(true, false, false); }},
    {"to-end-demo-disks.d88", [] { return worstCase(true, true, false); }},
    {"to-end-hits-at-end.d88", [] { return worstCase(true, false, true); }},
    {"four-grids.d88", [] { return d88build::fourGridImage(); }},
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: make_hostile_images FOLDER\n", stderr);
        return 1;
    }
    for (const NamedImage& named : images) {
        const std::string path = std::string(argv[1]) + "/" + named.file;
        if (!d88build::writeFile(path, named.make())) {
            std::fprintf(stderr, "make_hostile_images: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
