#ifndef QUELT_NAMES_DISK_NAMES_H
#define QUELT_NAMES_DISK_NAMES_H

#include <cstddef>
#include <string>
#include <vector>

// The names of one disk's files as a copy sees them, so that any name the
// programs showed or wrote finds its file again: each name's bytes, its text as
// listed and the file name a copy of every file writes for it, in both forms.

class DiskNames {
public:
    // `nameBytes`: the used entries' names in directory order.
    explicit DiskNames(std::vector<std::string> nameBytes);

    // The file that a copy of every file writes as `typed`, in either form (a
    // "~N" after a name given before included, %XX digits in either case,
    // decoded text made canonical); -1 when there is none.
    int fileWrittenAs(const std::string& typed) const;

    // For `typed` "STEM~N" (N from 2): how many files a copy of every file
    // writes as STEM, STEM~2, ... (regardless of case), in the form that writes
    // most; 0 when `typed` is no such name or no file is written as STEM.
    int filesWrittenAsStem(const std::string& typed) const;

    // The files `pattern` matches, in order: by name as listed in either form,
    // or as written in either form (%XX escapes as one character).
    std::vector<std::size_t> matching(const std::string& pattern) const;

private:
    std::vector<std::string> bytes_;
    std::vector<std::string> listed_[2];
    std::vector<std::string> written_[2];
    std::vector<std::string> stems_[2];  // written names before any "~N", upper case
};

#endif
