#ifndef QUELT_LISTER_GATHER_FACTS_H
#define QUELT_LISTER_GATHER_FACTS_H

#include <string>

#include "image/d88_image.h"
#include "lister/image_facts.h"

// Which facts a rendering needs beyond those every one shows.
struct GatherWants {
    bool hashes = false;
    // The disks of a file that is no D88 image, read as if it were one.
    bool disksOfNonImages = false;
};

// Gathers the facts of `image`, opened from `path`: the header check, every
// disk's header, tracks and directory, quelt's verdict, and the hashes when
// wanted. Selects disks and loads directories.
ImageFacts gatherFacts(D88Image& image, const std::string& path, const GatherWants& wants);

// Notes the compressed or archived `form` the file's bytes came in (kept only
// for a file that is no D88 image), and gathers the reason it is none.
void noteForm(ImageFacts& facts, const std::string& form);

#endif
