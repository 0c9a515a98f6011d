#ifndef QUELT_IMAGE_D88_IMAGE_H
#define QUELT_IMAGE_D88_IMAGE_H

#include <cstdint>
#include <memory>

#include "common/sector_address.h"
#include "image/file_reader.h"
#include "image/file_source.h"
#include "image/record_index.h"
#include "image/track_listing.h"

// Read access to a D88 image file: the disk images in it one after another, one
// of them selected at a time, its sectors found by their ID fields. Reports
// failure by a false result or a zero byte count and never prints.
//
// Linear in file size: listTrack, and reads of a track's own C and H with R 1..16, N 0..8.
// Not linear: reads of other IDs and readTrackIds walk the track from its start each call.
class D88Image {
public:
    static constexpr int32_t maxDisks = 64;
    static constexpr int32_t maxTracks = 164;
    static constexpr int32_t headerSize = 688;
    static constexpr int32_t nameLength = 16;
    // Where the header's track table begins, and the bytes of one entry.
    static constexpr int32_t trackTableField = 32;
    static constexpr int32_t trackEntryBytes = 4;

    D88Image();
    // An image whose record index keeps other limits: small ones let small
    // images take every path of it.
    explicit D88Image(const RecordIndex::Limits& limits);
    ~D88Image();
    D88Image(const D88Image&) = delete;
    D88Image& operator=(const D88Image&) = delete;

    // Closes any earlier file, then opens `path` and indexes its disks; true also
    // when no disk was found, false when the file cannot be opened or read (the
    // disk count then stays as it was). A nullptr opens nothing and is true.
    bool open(const char* path);
    // The same for the bytes of `source` (a stream's copy, an archive member,
    // memory), which is read only through this image from now on; `path`, when
    // given, names the file they come from, which isImageFile then names. False,
    // and no file open, for no source.
    bool open(std::unique_ptr<ByteSource> source, const char* path = nullptr);
    // Closes the file and forgets the disks and the selection.
    void close();

    int32_t diskCount() const { return diskCount_; }
    // Whether `path` names the open image file itself, also through a link.
    bool isImageFile(const char* path) const { return file_.isSameFile(path); }
    void setSectorRange(int32_t first, int32_t last);

    // Loads the header of disk `index` (0-based). On failure no disk is selected.
    bool selectDisk(int32_t index);
    // The selected disk's name: at most 16 characters, always NUL-terminated.
    const char* diskName() const { return diskName_; }
    int32_t mediaType() const { return mediaType_; }
    // The selected disk's write-protect byte (0x10: protected); -1 when none is.
    int32_t writeProtect() const { return writeProtect_; }

    // Where disk `index` begins in the file, or -1 when it was not indexed.
    int32_t diskOffsetOf(int32_t index) const;
    // The selected disk's size field and track-table entries (0 when none).
    int32_t diskSize() const { return diskSize_; }
    int32_t trackOffset(int32_t trackIndex) const;
    // Whether the file holds a byte at `position` (a stream is read up to it).
    bool fileHoldsByteAt(int64_t position);
    // The file's length when it is known without reading on (a stream's only
    // once read to its end), else -1.
    int64_t knownFileLength() const { return file_.knownLength(); }
    // The file's bytes in order to `observer`, as reading reaches them and, at
    // finishInOrder (the image's last read), the rest (file_reader.h).
    void observeInOrder(ByteObserver* observer) { file_.observeInOrder(observer); }
    PassEnd finishInOrder() { return file_.finishInOrder(); }
    // Whether a read of the file failed (rather than meeting its end).
    bool readFailed() const { return file_.failed(); }
    // What reading the open file has cost so far.
    FileReader::Work readingWork() const { return file_.work(); }
    // Whether the selected disk's track can be read: a file is open and the
    // track's entry points inside the disk.
    bool trackUsable(int32_t trackIndex) const;

    // Copies the data of the track's first record whose C, H, R and N all equal
    // the address's, at most `maxLen` bytes. Returns the bytes the file supplied,
    // 0 when the track is unusable or no record matches.
    int32_t readSector(const SectorAddress& address, uint8_t* dest, int32_t maxLen);
    // Reads `length` bytes from consecutive sectors starting at `address`, going
    // on to the next track after the range's last sector. Returns the bytes read
    // before the first sector that could not be read whole.
    int32_t readSectors(SectorAddress address, uint8_t* dest, int32_t length);
    // Lists the C, H, R, N of the track's records, 4 bytes each, while fewer than
    // `maxLen` bytes are listed; returns the bytes listed. `dest` needs room for
    // `maxLen` rounded up to a multiple of 4.
    int32_t readTrackIds(int32_t trackIndex, uint8_t* dest, int32_t maxLen);
    // readTrackIds lists each record as its C, H, R and N bytes, in that order.
    static constexpr int32_t listedIdBytes = 4;
    static constexpr int32_t listedSizeCodeByte = 3;
    // What readTrackIds would list of the track with room for longestListing
    // records, counted: the records and their size codes. Unusable tracks list
    // nothing.
    TrackListing listTrack(int32_t trackIndex);
    // How many sectors the track's first record says the track holds; -1 when
    // the track is unusable or the file ends inside that record's header.
    int32_t namedSectorCount(int32_t trackIndex);

private:
    // The fuzz targets' way to other limits for the programs' own image, which
    // exists for the whole process (image/d88_image_seam.h).
    friend struct D88ImageSeam;

    void indexDisks();
    static bool entryUsable(int32_t entry, int32_t diskSize);
    void clearSelection();
    int64_t trackStart(int32_t trackIndex) const;
    static void advance(SectorAddress& address, int32_t firstSector, int32_t lastSector);

    FileReader file_;
    int32_t diskCount_ = 0;
    int32_t firstSector_ = firstSectorNumber;
    int32_t lastSector_ = lastSectorNumber;
    int32_t diskOffsets_[maxDisks] = {};
    int32_t diskSize_ = 0;
    int32_t diskOffset_ = 0;
    int32_t trackOffsets_[maxTracks] = {};
    int32_t mediaType_ = -1;
    int32_t writeProtect_ = -1;
    char diskName_[nameLength + 1] = {};
    std::unique_ptr<RecordIndex> recordIndex_;
};

#endif
