// Writes a ZIP whose one member, zeros.d88, unpacks to 4 GiB of zeros (a few MiB
// on disk): what tools/bench-zip-bomb.sh lists to show quelt-ls's memory and
// time stay bounded.
//
//   make_zip_bomb OUT.zip
#include <cstdio>

#include "samples/archive_builder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_zip_bomb OUT.zip\n");
        return 2;
    }
    constexpr uint64_t fourGiB = uint64_t{4} << 30;
    const d88build::Bytes zip = d88build::zipOfZeros("zeros.d88", fourGiB);
    return d88build::writeFile(argv[1], zip) ? 0 : 1;
}
