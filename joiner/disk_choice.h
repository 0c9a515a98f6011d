#ifndef QUELT_JOINER_DISK_CHOICE_H
#define QUELT_JOINER_DISK_CHOICE_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Chosen disks of one image: IMAGE@LIST, LIST the disks' numbers from 1 as
// quelt-ls counts them, joined by commas, a range as FIRST-LAST ("2", "3,1",
// "1-3,5"), written in the order given. An @ is no part of a Windows path's
// drive (C:\x.d88) nor of an archive member's separator, so IMAGE may be any
// operand. An operand that names a file as it stands is that file, @ and all.

constexpr char diskChoiceMark = '@';

struct DiskChoice {
    std::string path;             // the operand without its @LIST
    std::vector<int32_t> disks;   // from 1; empty: every disk
    bool listRefused = false;     // a LIST after a path that names a file, not read
    std::string list;             // that LIST
};

// The numbers of `list`, appended to `disks`; false when it is none of the
// form above or a number is 0 or above `largest`.
bool parseDiskList(const std::string& list, int32_t largest, std::vector<int32_t>& disks);

// `operand` split into its path and its disks; `namesFile` tells whether a
// path names something (a file, a folder, an archive's member).
DiskChoice diskChoiceOf(const std::string& operand, int32_t largest,
                        const std::function<bool(const std::string&)>& namesFile);

#endif
