#ifndef QUELT_LISTER_DIRECTORY_FACTS_H
#define QUELT_LISTER_DIRECTORY_FACTS_H

#include <cstdint>
#include <vector>

#include "image/d88_image.h"
#include "lister/image_facts.h"

// The used entries of the directory loaded last (game_fs.h), each with its
// cluster chain in the allocation table, what keeps quelt from finding it by
// name, and what its load along the chain met: each file is loaded as quelt-cp
// loads it, so an entry is whole exactly when quelt-cp copies it without a
// warning. With `hashes`, each gets the hashes of the bytes quelt-cp writes.
// The tracks are checked on the selected disk, which begins at `diskOffset`.
// `loads` gets the entries quelt's loads by name take and the music table
// "startup" holds. Loads into `loadBuffer` (workBufferSize bytes) and
// overwrites byte 8 of the directory's entries.
std::vector<EntryFacts> gatherEntries(D88Image& image, int64_t diskOffset, bool hashes,
                                      uint8_t* loadBuffer, QueltLoads& loads);

#endif
