#ifndef QUELT_LISTER_DIRECTORY_FACTS_H
#define QUELT_LISTER_DIRECTORY_FACTS_H

#include <vector>

#include "image/d88_image.h"
#include "lister/image_facts.h"

// The used entries of the directory loaded last (game_fs.h), each with its
// cluster chain in the allocation table and what keeps quelt from reading the
// file whole or finding it by name. The tracks are checked on the selected disk.
std::vector<EntryFacts> gatherEntries(const D88Image& image);

// Adds to each entry the hashes of its file as quelt-cp writes it: the entry's
// size in bytes, loaded along its chain over zeros. Overwrites workBuffer.
void hashFiles(D88Image& image, std::vector<EntryFacts>& entries);

#endif
