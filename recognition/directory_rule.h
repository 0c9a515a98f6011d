#ifndef QUELT_RECOGNITION_DIRECTORY_RULE_H
#define QUELT_RECOGNITION_DIRECTORY_RULE_H

#include <cstdint>
#include <string>

#include "gamefs/game_fs.h"

// Whether a directory that could be read is this file system's. Other systems'
// formatters fill the directory sector with one byte (0xE5 or 0xFF), and a
// sector of other data holds names that do not end and chains that run on; a
// directory of this file system, even a damaged one, holds mostly entries whose
// name ends (a 0 within its 9 bytes, after printable or Shift_JIS bytes) and
// whose chain reaches an end mark without looping.
//
// Judges the directory and allocation table loaded last (game_fs.h), of a disk
// whose table has `linkedClusters` clusters linking on (linkedClusterCount).
// Returns why they are not this file system's, or "" when they may be: the
// directory is all zeros while the table is not as a formatter leaves it (a
// disk of zero fill), every used entry is one byte repeated, or fewer than half
// of them are plausible as above. The companions' verdict only; quelt's recognition reads
// every directory as it always has.
std::string foreignDirectoryReason(int32_t linkedClusters);

// Whether the entry's name ends: a 0 within its first 9 bytes, after no
// control code.
bool nameEnds(const DirectoryEntry& entry);

// How many entries of the allocation table loaded last link on to another
// cluster (a value below lastClusterMark), counting only the clusters whose
// track the selected disk's track table names. A formatter leaves none: it
// marks every cluster free or reserved with a value from the mark up.
int32_t linkedClusterCount(const D88Image& image);

#endif
