#ifndef QUELT_IMAGE_FILE_READER_H
#define QUELT_IMAGE_FILE_READER_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "image/byte_source.h"

// Read-only access to the image's bytes by absolute position, through the one
// source it was opened on (byte_source.h). Every read names its position, so
// reaching the end of the file in one read never affects the next.
// Small reads are served from a few windows of the file, each an aligned block,
// because the record scans of a track read many 16-byte headers in a row and the
// searches go back and forth between tracks: a window read stays until it is the
// one least recently used. A file that cannot seek is read through its
// temporary copy (stream_copy.h): it answers exactly as the same bytes in a
// regular file would, in the same memory.
//
// An observer given the bytes in order (observeInOrder) takes each window as the
// reads reach it from the file's start on, so that a program hashing the file
// reads no byte the reading has already read, unless its window was replaced
// before the observer's turn came.
class FileReader {
public:
    FileReader();
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Opens `path` for binary reading (file_source.h says when it fails).
    bool open(const char* path);
    // Reads from `source` from now on; false, and nothing open, for none.
    // `path`, when given, names the file the bytes come from (isSameFile).
    bool open(std::unique_ptr<ByteSource> source, const char* path = nullptr);
    void close();
    bool isOpen() const { return source_ != nullptr; }

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

    // Whether `path` names the file opened by path itself, also through a hard or
    // symbolic link; false when either cannot be looked at, or the reader was
    // opened on a source.
    bool isSameFile(const char* path) const;

    // The file's length when the source knows it (byte_source.h), else -1.
    int64_t knownLength() const { return source_ ? source_->knownLength() : -1; }
    // Whether a read of the source failed (rather than meeting its end).
    bool failed() const { return source_ && source_->failed(); }
    // Gives `observer` the bytes in order, from the file's first byte on, as the
    // reads reach them; finishInOrder gives it the rest.
    void observeInOrder(ByteObserver* observer);
    // Feeds the observer every byte it has not taken yet, to the file's end, and
    // says where that is. The reader's last use: nothing is read after it.
    PassEnd finishInOrder();

private:
    struct Window {
        int64_t start = -1;  // -1: not read yet
        std::size_t length = 0;
        uint64_t lastUse = 0;
        std::unique_ptr<uint8_t[]> bytes;  // unset beyond length
    };
    // Windows kept: a few for the record scans (quelt's whole run touches no
    // more memory than they take), and more while an observer takes the bytes
    // in order, so that a disk's files are read from the windows the survey of
    // its tracks left rather than again before the observer's turn.
    static constexpr std::size_t windowCount = 8;
    static constexpr std::size_t observedWindowCount = 32;

    std::size_t readOutsideLastWindow(int64_t position, uint8_t* dest, std::size_t count);
    std::size_t readDirect(int64_t position, uint8_t* dest, std::size_t count);
    std::size_t readWindowed(int64_t position, uint8_t* dest, std::size_t count);
    const Window& windowAt(int64_t blockStart);
    std::size_t windowToReplace();
    void feedObserver(int64_t start, const uint8_t* bytes, std::size_t length);

    std::unique_ptr<ByteSource> source_;
    std::string path_;
    std::vector<Window> windows_;
    // The bytes of the window used last, which stays the least likely to be
    // replaced; none while lastEnd_ is 0.
    int64_t lastStart_ = 0;
    int64_t lastEnd_ = 0;
    const uint8_t* lastBytes_ = nullptr;
    uint64_t uses_ = 0;
    // Where a read met the end of the file, once one has: no read past it is
    // made, since positions far past the end are what a damaged track table names.
    int64_t knownEnd_ = std::numeric_limits<int64_t>::max();
    Work work_;
    // The observer of the bytes in order, and the first byte it has not taken.
    ByteObserver* observer_ = nullptr;
    int64_t observed_ = 0;
};

#endif
