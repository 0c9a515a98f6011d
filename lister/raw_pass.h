#ifndef QUELT_LISTER_RAW_PASS_H
#define QUELT_LISTER_RAW_PASS_H

#include <string>

#include "lister/image_facts.h"

// What D88Image does not tell, read off the file's bytes in one pass from its
// start to its end: the hashes of the whole file and of each disk's bytes (from
// its offset over its size, as far as the file holds them; the same bytes as
// the disk saved as a file of its own), and each disk's write-protect byte.
// A disk that is the whole file shares the file's hashes rather than hashing
// every byte twice.
//
// Only a file that can be read a second time is read: false, and nothing set,
// for a pipe or a terminal, whose bytes the image has already taken.
bool readRawFacts(const std::string& path, ImageFacts& facts, bool withHashes);

#endif
