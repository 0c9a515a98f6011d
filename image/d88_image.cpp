// The image file's outer structure: indexing the disk images and selecting one.
#include "image/d88_image.h"

#include <cstring>

#include "common/little_endian.h"

namespace {
// Header fields of a disk image.
constexpr int mediaTypeField = 27;
constexpr int sizeField = 28;
constexpr int64_t largestOffset = 0x7FFFFFFF;
}  // namespace

D88Image::D88Image() = default;

D88Image::~D88Image() {
    open(nullptr);
}

bool D88Image::open(const char* path) {
    if (path == nullptr) {
        file_.close();
        recordIndex_.clear();
        diskCount_ = 0;
        mediaType_ = -1;
        return true;
    }
    file_.close();
    recordIndex_.clear();
    if (!file_.open(path)) {
        return false;
    }
    indexDisks();
    return true;
}

// Each disk image begins where the previous one's size field says it ends; the
// index ends at the first offset that holds no whole header.
void D88Image::indexDisks() {
    int64_t offset = 0;
    diskCount_ = 0;
    while (diskCount_ < maxDisks) {
        diskOffsets_[diskCount_] = static_cast<int32_t>(offset);
        uint8_t header[headerSize];
        if (file_.readAt(offset, header, sizeof header) != sizeof header) {
            return;
        }
        ++diskCount_;
        offset += readLe32Signed(header + sizeField);
        // A size field that carries the offset outside the file's signed 32-bit
        // range names no further disk.
        if (offset < 0 || offset > largestOffset) {
            return;
        }
    }
}

void D88Image::setSectorRange(int32_t first, int32_t last) {
    firstSector_ = first;
    lastSector_ = last;
}

void D88Image::clearSelection() {
    diskOffset_ = -1;
    mediaType_ = -1;
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
        trackOffsets_[t] = readLe32Signed(header + trackTableField + trackEntryBytes * t);
    }
    mediaType_ = header[mediaTypeField];
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
