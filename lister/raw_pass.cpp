// The file's own bytes in one pass: hashes and write-protect bytes.
#include "lister/raw_pass.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include "companion/image_input.h"

namespace {
// Where a disk header keeps its write-protect byte (0x10: protected).
constexpr int64_t writeProtectField = 26;
// The file is read in pieces of this size; one buffer serves every file.
constexpr std::size_t pieceSize = 1u << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A file on a disk can be read again from its start; a pipe, a FIFO or a
// terminal cannot. (On Windows, GetFileType tells a disk file from the rest.)
bool isRegularFile(std::FILE* file) {
#ifdef _WIN32
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return GetFileType(handle) == FILE_TYPE_DISK;
#else
    struct stat status {};
    return fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
#endif
}

// A disk's bytes in the file: from its offset over its size.
struct DiskRange {
    int64_t start;
    int64_t end;
    bool sharesFileHashes;
};

std::vector<DiskRange> diskRanges(const ImageFacts& facts) {
    std::vector<DiskRange> ranges;
    for (const DiskFacts& disk : facts.disks) {
        const int64_t end = disk.offset + disk.size;
        ranges.push_back({disk.offset, end, disk.offset == 0 && end == facts.fileSize});
    }
    return ranges;
}

// Feeds the piece at `position` to each disk whose bytes it holds.
void addToDisks(const uint8_t* piece, int64_t position, std::size_t count,
                const std::vector<DiskRange>& ranges, std::vector<HashSet>& sets) {
    const int64_t pieceEnd = position + static_cast<int64_t>(count);
    for (std::size_t d = 0; d < ranges.size(); ++d) {
        const int64_t from = std::max(position, ranges[d].start);
        const int64_t to = std::min(pieceEnd, ranges[d].end);
        if (!ranges[d].sharesFileHashes && from < to) {
            sets[d].add(piece + (from - position), static_cast<std::size_t>(to - from));
        }
    }
}

void noteWriteProtect(const uint8_t* piece, int64_t position, std::size_t count,
                      ImageFacts& facts) {
    for (DiskFacts& disk : facts.disks) {
        const int64_t at = disk.offset + writeProtectField - position;
        if (at >= 0 && at < static_cast<int64_t>(count)) {
            disk.writeProtect = piece[at];
        }
    }
}

// Without hashes only the disks' headers are read.
void readWriteProtectBytes(std::FILE* file, ImageFacts& facts) {
    for (DiskFacts& disk : facts.disks) {
        uint8_t byte = 0;
        const int64_t position = disk.offset + writeProtectField;
        if (position <= LONG_MAX && std::fseek(file, static_cast<long>(position), SEEK_SET) == 0 &&
            std::fread(&byte, 1, 1, file) == 1) {
            disk.writeProtect = byte;
        }
    }
}

void finishHashes(HashSet& whole, std::vector<HashSet>& sets,
                  const std::vector<DiskRange>& ranges, ImageFacts& facts) {
    facts.hashes = whole.finish();
    for (std::size_t d = 0; d < ranges.size(); ++d) {
        facts.disks[d].hashes = ranges[d].sharesFileHashes ? facts.hashes : sets[d].finish();
    }
}

// Reads the file from its start to its end, feeding every piece to the file's
// hashes and to those of each disk that holds it.
void hashPieces(std::FILE* file, ImageFacts& facts) {
    static std::vector<uint8_t> piece(pieceSize);
    const std::vector<DiskRange> ranges = diskRanges(facts);
    HashSet whole;
    std::vector<HashSet> sets(ranges.size());
    int64_t position = 0;
    std::size_t count = 0;
    while ((count = std::fread(piece.data(), 1, piece.size(), file)) > 0) {
        noteWriteProtect(piece.data(), position, count, facts);
        whole.add(piece.data(), count);
        addToDisks(piece.data(), position, count, ranges, sets);
        position += static_cast<int64_t>(count);
    }
    if (!std::ferror(file)) {
        finishHashes(whole, sets, ranges, facts);
    }
}

// Opens the file of operand `path` again. Standard input, "-", is read again
// through /dev/stdin on POSIX, which reads a redirected file from its start (a
// pipe is refused below); on Windows the image read a temporary copy of it, and
// it is not read again.
File reopened(const std::string& path) {
    if (path != standardInputOperand) {
        return File(std::fopen(path.c_str(), "rb"));
    }
#ifdef _WIN32
    return File();
#else
    return File(std::fopen("/dev/stdin", "rb"));
#endif
}
}  // namespace

bool readRawFacts(const std::string& path, ImageFacts& facts, bool withHashes) {
    File file = reopened(path);
    if (!file || !isRegularFile(file.get())) {
        return false;
    }
    if (!withHashes) {
        readWriteProtectBytes(file.get(), facts);
        return true;
    }
    hashPieces(file.get(), facts);
    return true;
}
