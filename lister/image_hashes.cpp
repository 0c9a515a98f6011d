// A file's and its disks' hashes from the bytes in order.
#include "lister/image_hashes.h"

#include <algorithm>

ImageHashes::ImageHashes(std::vector<DiskSpan> disks, int64_t fileLength)
    : disks_(std::move(disks)), sets_(disks_.size()) {
    for (const DiskSpan& disk : disks_) {
        sharesFile_.push_back(disk.start == 0 && disk.end == fileLength);
    }
}

// Feeds the bytes to the file's hashes and to those of each disk that holds them.
void ImageHashes::take(const uint8_t* bytes, std::size_t count) {
    whole_.add(bytes, count);
    const int64_t end = position_ + static_cast<int64_t>(count);
    for (std::size_t d = 0; d < disks_.size(); ++d) {
        const int64_t from = std::max(position_, disks_[d].start);
        const int64_t to = std::min(end, disks_[d].end);
        if (!sharesFile_[d] && from < to) {
            sets_[d].add(bytes + (from - position_), static_cast<std::size_t>(to - from));
        }
    }
    position_ = end;
}

Hashes ImageHashes::finishFile() {
    return whole_.finish();
}

std::vector<Hashes> ImageHashes::finishDisks(const Hashes& file) {
    std::vector<Hashes> hashes;
    for (std::size_t d = 0; d < disks_.size(); ++d) {
        hashes.push_back(sharesFile_[d] ? file : sets_[d].finish());
    }
    return hashes;
}
