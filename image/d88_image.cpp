// The image file's outer structure: indexing the disk images and selecting one.
#include "image/d88_image.h"

#include <cstring>
#include <vector>

#include "common/little_endian.h"
#include "image/record_index.h"

namespace {
// Header fields of a disk image.
constexpr int writeProtectField = 26;
constexpr int mediaTypeField = 27;
constexpr int sizeField = 28;

int32_t trackEntry(const uint8_t* header, int32_t track) {
    return readLe32Signed(header + D88Image::trackTableField + D88Image::trackEntryBytes * track);
}
}  // namespace

D88Image::D88Image() : recordIndex_(new RecordIndex) {}

D88Image::D88Image(const RecordIndex::Limits& limits) : D88Image() {
    recordIndex_->setLimits(limits);
}

D88Image::~D88Image() {
    close();
}

// A path that cannot be opened leaves no file open but the disks counted
// before: their count is all a caller can still ask of them.
bool D88Image::open(const char* path) {
    const int32_t counted = diskCount_;
    close();
    if (path == nullptr) {
        return true;
    }
    if (!file_.open(path)) {
        diskCount_ = counted;
        return false;
    }
    indexDisks();
    return true;
}

bool D88Image::open(std::unique_ptr<ByteSource> source, const char* path) {
    close();
    if (!file_.open(std::move(source), path)) {
        return false;
    }
    indexDisks();
    return true;
}

void D88Image::close() {
    file_.close();
    recordIndex_->clear();
    diskCount_ = 0;
    clearSelection();
}

// Each disk image begins where the previous one's size field says it ends; the
// index ends at the first offset that holds no whole header. The usable tracks of
// every disk found are all the walks a search can ask the record index for.
void D88Image::indexDisks() {
    int64_t offset = 0;
    diskCount_ = 0;
    std::vector<WalkStart> walks;
    const auto addWalks = [&walks](int64_t diskOffset, const uint8_t* header) {
        const int32_t size = readLe32Signed(header + sizeField);
        for (int32_t t = 0; t < maxTracks; ++t) {
            const int32_t entry = trackEntry(header, t);
            if (entryUsable(entry, size)) {
                walks.push_back({diskOffset + entry, t});
            }
        }
    };
    while (diskCount_ < maxDisks) {
        diskOffsets_[diskCount_] = static_cast<int32_t>(offset);
        uint8_t header[headerSize];
        if (file_.readAt(offset, header, sizeof header) != sizeof header) {
            break;
        }
        ++diskCount_;
        addWalks(offset, header);
        offset += readLe32Signed(header + sizeField);
        // A size field that carries the offset outside the file's signed 32-bit
        // range names no further disk.
        if (offset < 0 || offset > largestImageOffset) {
            break;
        }
    }
    recordIndex_->setWalks(std::move(walks));
}

void D88Image::setSectorRange(int32_t first, int32_t last) {
    firstSector_ = first;
    lastSector_ = last;
}

void D88Image::clearSelection() {
    diskOffset_ = -1;
    mediaType_ = -1;
    writeProtect_ = -1;
    diskSize_ = 0;
    std::memset(diskName_, 0, sizeof diskName_);
}

bool D88Image::selectDisk(int32_t index) {
    if (!file_.isOpen()) {
        return false;
    }
    clearSelection();
    if (index < 0 || index >= diskCount_) {
        return false;
    }
    uint8_t header[headerSize];
    if (file_.readAt(diskOffsets_[index], header, sizeof header) != sizeof header) {
        return false;
    }
    diskOffset_ = diskOffsets_[index];
    for (int32_t t = 0; t < maxTracks; ++t) {
        trackOffsets_[t] = trackEntry(header, t);
    }
    mediaType_ = header[mediaTypeField];
    writeProtect_ = header[writeProtectField];
    diskSize_ = readLe32Signed(header + sizeField);
    // The name runs to the first NUL or over all 16 bytes; the 17th stays NUL.
    for (int32_t i = 0; i < nameLength && header[i] != 0; ++i) {
        diskName_[i] = static_cast<char>(header[i]);
    }
    return true;
}

int32_t D88Image::diskOffsetOf(int32_t index) const {
    return index >= 0 && index < diskCount_ ? diskOffsets_[index] : -1;
}

bool D88Image::fileHoldsByteAt(int64_t position) {
    uint8_t byte = 0;
    return position >= 0 && file_.readAt(position, &byte, 1) == 1;
}

int32_t D88Image::trackOffset(int32_t trackIndex) const {
    return trackIndex >= 0 && trackIndex < maxTracks ? trackOffsets_[trackIndex] : 0;
}
