// Writes the made-up three-disk sample set to a D88 image file, so the tool can be
// tried by hand on an image that needs no outside disk.
#include <cstdio>

#include "support/sample_set.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("Usage: quelt-sample-set FILE\n", stderr);
        return 1;
    }
    if (!d88build::writeFile(argv[1], d88build::sampleImage())) {
        std::fprintf(stderr, "quelt-sample-set: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
