#ifndef QUELT_LISTER_DIRECTORY_RULE_H
#define QUELT_LISTER_DIRECTORY_RULE_H

#include <string>
#include <vector>

#include "lister/image_facts.h"

// Whether a directory that could be read is this file system's. Other systems'
// formatters fill the directory sector with one byte (0xE5 or 0xFF), and a
// sector of other data holds names that do not end and chains that run on; a
// directory of this file system, even a damaged one, holds mostly entries whose
// name ends (a 0 within its 9 bytes, after printable or Shift_JIS bytes) and
// whose chain reaches an end mark without looping.
//
// Judges `entries`, gathered from the directory loaded last (game_fs.h).
// Returns why the used entries are not this file system's, or "" when they may
// be: every used entry is one byte repeated, or fewer than half of them are
// plausible as above. The listing's verdict only; quelt's recognition reads
// every directory as it always has.
std::string foreignDirectoryReason(const std::vector<EntryFacts>& entries);

#endif
