// Writes the worst-case images of the reader's speed to a folder, one file per
// recipe, for tools/bench-hostile.sh to time whole runs on: as large as the
// tests' own (just under 2 MiB), or of a size given in MiB.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "samples/hostile_images.h"

namespace {
constexpr size_t kMiB = 1024 * 1024;
}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 && argc != 3) {
        std::fputs("usage: make_hostile_images FOLDER [MIB]\n", stderr);
        return 1;
    }
    const size_t size = argc == 3 ? static_cast<size_t>(std::atoi(argv[2])) * kMiB - 16
                                  : d88build::kHostileImageLimit - 16;
    for (const d88build::HostileRecipe& recipe : d88build::hostileRecipes()) {
        const std::string path = std::string(argv[1]) + "/" + recipe.name + ".d88";
        if (!d88build::writeFile(path, recipe.make(size))) {
            std::fprintf(stderr, "make_hostile_images: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
