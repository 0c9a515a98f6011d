#ifndef QUELT_RECOGNITION_DIRECTORY_VERDICT_H
#define QUELT_RECOGNITION_DIRECTORY_VERDICT_H

#include <bitset>
#include <cstdint>
#include <string>

#include "image/d88_image.h"

// What the companions say of a disk's directory. quelt's recognition reads
// every directory as it always has; this is their verdict only.
enum class DirectoryState {
    unreadable,         // its sectors are damaged or absent by the image's fault
    notThisFileSystem,  // its track or its entries are another system's
    empty,              // this file system's, without a used entry
    thisFileSystem,
};

struct DirectoryVerdict {
    DirectoryState state = DirectoryState::unreadable;
    std::string reason;  // why unreadable or not this file system; "" otherwise
    bool tablesRead = false;  // whether the directory and allocation table were read whole
    int32_t usedEntries = 0;
    // Allocation-table entries that link on to another cluster; none when the
    // table is as a formatter leaves it.
    int32_t linkedClusters = 0;

    bool allocationFormatted() const { return linkedClusters == 0; }
};

// Judges the directory of the selected disk, which begins at `diskOffset` in
// the file, right after loadDirectory (game_fs.h); `whole` is what that
// returned. When the tables were read, judges their entries
// (recognition/directory_rule.h); otherwise tells from directory track's
// records whether the track is this file system's with sectors lacking
// (unreadable) or another system's (not this file system), and why.
DirectoryVerdict judgeDirectory(D88Image& image, int64_t diskOffset, bool whole);

// "9 sectors of 512 bytes": what a track's records are, for the reasons.
std::string sectorsText(int32_t records, const std::bitset<256>& sizeCodes);

#endif
