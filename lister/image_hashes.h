#ifndef QUELT_LISTER_IMAGE_HASHES_H
#define QUELT_LISTER_IMAGE_HASHES_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/byte_source.h"
#include "lister/hashes.h"

// Where a disk's bytes lie in the file: from its offset over its size.
struct DiskSpan {
    int64_t start = 0;
    int64_t end = 0;
};

// The hashes of a file's bytes and of each disk's (its bytes from its offset over
// its size, as far as the file holds them: the same bytes as the disk saved as a
// file of its own), taken from the bytes in order as the image's reader reads
// them (image/byte_source.h), so that no byte is read again for them. A disk
// that is the whole file, by a length known before the bytes come, shares the
// file's hashes rather than hashing every byte twice.
class ImageHashes : public ByteObserver {
public:
    // `fileLength` is -1 when not known yet (a stream).
    ImageHashes(std::vector<DiskSpan> disks, int64_t fileLength);
    void take(const uint8_t* bytes, std::size_t count) override;
    // The hashes of every byte taken: the file's, then each disk's in the order
    // given. Spent afterwards.
    Hashes finishFile();
    std::vector<Hashes> finishDisks(const Hashes& file);

private:
    std::vector<DiskSpan> disks_;
    std::vector<bool> sharesFile_;
    std::vector<HashSet> sets_;
    HashSet whole_;
    int64_t position_ = 0;
};

#endif
