#ifndef QUELT_IMAGE_FILE_READER_H
#define QUELT_IMAGE_FILE_READER_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

class TemporaryCopy;

// An image names its positions by signed 32-bit offsets: none lies past this one.
constexpr int64_t largestImageOffset = 0x7FFFFFFF;

// Read-only access to the image file by absolute position. Every read names its
// position, so reaching the end of the file in one read never affects the next.
// Small reads are served from a few windows of the file, each an aligned block,
// because the record scans of a track read many 16-byte headers in a row and the
// searches go back and forth between tracks: a window read stays until it is the
// one least recently used.
//
// A file that cannot seek (a pipe, a FIFO, a terminal) is copied from its start
// into a temporary file as far as the reads reach, and read from there: it
// answers exactly as the same bytes in a regular file would, in the same memory.
// (Windows' C runtime may let a pipe seek; such a pipe is then read as a file.)
class FileReader {
public:
    FileReader();
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Opens `path` for binary reading. Fails also when the path opens but cannot
    // be read at all (a directory, for example), or cannot seek and no temporary
    // copy can be made.
    bool open(const char* path);
    void close();
    bool isOpen() const { return stream_.is_open(); }

    // Copies up to `count` bytes from file position `position` into `dest`;
    // returns how many bytes the file supplied (0 past the end or on an error).
    // Inline for the common case, a read inside the window used last: the walks
    // read a record header at a time.
    std::size_t readAt(int64_t position, uint8_t* dest, std::size_t count) {
        ++work_.reads;
        if (position >= lastStart_ && static_cast<int64_t>(count) <= lastEnd_ - position) {
            std::memcpy(dest, lastBytes_ + (position - lastStart_), count);
            return count;
        }
        return readOutsideLastWindow(position, dest, count);
    }

    // What reading the file has cost since it was opened: the reads asked of it
    // (mostly a record header each) and the bytes the file supplied them, window
    // refills included.
    struct Work {
        int64_t reads = 0;
        int64_t bytesSupplied = 0;
    };
    const Work& work() const { return work_; }

    // Whether `path` names the open file itself, also through a hard or symbolic
    // link; false when either cannot be looked at.
    bool isSameFile(const char* path) const;

private:
    struct Window {
        int64_t start = -1;  // -1: not read yet
        std::size_t length = 0;
        uint64_t lastUse = 0;
        std::unique_ptr<uint8_t[]> bytes;  // unset beyond length
    };
    static constexpr std::size_t windowCount = 8;

    std::size_t readOutsideLastWindow(int64_t position, uint8_t* dest, std::size_t count);
    std::size_t readDirect(int64_t position, uint8_t* dest, std::size_t count);
    std::size_t readWindowed(int64_t position, uint8_t* dest, std::size_t count);
    const Window& windowAt(int64_t blockStart);
    std::size_t windowToReplace();
    std::istream& source();
    void copyUpTo(int64_t end);

    std::ifstream stream_;
    std::string path_;
    std::vector<Window> windows_;
    // The bytes of the window used last, which stays the least likely to be
    // replaced; none while lastEnd_ is 0.
    int64_t lastStart_ = 0;
    int64_t lastEnd_ = 0;
    const uint8_t* lastBytes_ = nullptr;
    uint64_t uses_ = 0;
    bool seekable_ = true;
    // Where a read met the end of the file, once one has: no read past it is
    // made, since positions far past the end are what a damaged track table names.
    int64_t knownEnd_ = std::numeric_limits<int64_t>::max();
    Work work_;
    // For a file that cannot seek: its bytes from the start, as far as read.
    std::unique_ptr<TemporaryCopy> copy_;
    int64_t copied_ = 0;
    bool streamEnded_ = false;
};

#endif
