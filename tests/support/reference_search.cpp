#include "support/reference_search.h"

#include <algorithm>

namespace queltests {

namespace {

constexpr int kLargestSizeCode = 8;

uint32_t le16At(const Bytes& file, uint64_t at) {
    return static_cast<uint32_t>(file[at]) | (static_cast<uint32_t>(file[at + 1]) << 8);
}

int64_t signedLe32At(const Bytes& file, uint64_t at) {
    const uint32_t value = le16At(file, at) | (le16At(file, at + 2) << 16);
    return value < 0x80000000u ? static_cast<int64_t>(value)
                               : static_cast<int64_t>(value) - 0x100000000LL;
}

// Up to `count` bytes of the file from `at`: what the file holds there.
Bytes bytesAt(const Bytes& file, uint64_t at, uint64_t count) {
    if (at >= file.size()) {
        return {};
    }
    const uint64_t supplied = std::min<uint64_t>(count, file.size() - at);
    const auto begin = file.begin() + static_cast<std::ptrdiff_t>(at);
    return Bytes(begin, begin + static_cast<std::ptrdiff_t>(supplied));
}

bool idMatches(const Bytes& file, uint64_t header, const SectorId& id) {
    return file[header] == id.c && file[header + 1] == id.h && file[header + 2] == id.r &&
           file[header + 3] == id.n;
}

bool spend(uint64_t* stepBudget) {
    if (stepBudget == nullptr) {
        return true;
    }
    if (*stepBudget == 0) {
        return false;
    }
    --*stepBudget;
    return true;
}

}  // namespace

ReferenceListing referenceListTrack(const Bytes& file, uint64_t trackStart, int32_t limit) {
    ReferenceListing listing;
    uint64_t header = trackStart;
    for (int32_t k = 0; k < limit; ++k) {
        if (header > file.size() || file.size() - header < kRecordHeaderSize) {
            break;
        }
        const uint32_t count = le16At(file, header + kRecordCountOffset);
        ++listing.records;
        listing.sizeCodes.set(file[header + 3]);
        if (count == 0 || static_cast<uint32_t>(k) + 1 == count) {
            break;
        }
        header += kRecordHeaderSize + le16At(file, header + kRecordLengthOffset);
    }
    return listing;
}

std::optional<Bytes> referenceReadSector(const Bytes& file, uint64_t trackStart, const SectorId& id,
                                         int32_t maxLen, uint64_t* stepBudget) {
    uint64_t header = trackStart;
    for (uint64_t k = 0;; ++k) {
        if (!spend(stepBudget)) {
            return std::nullopt;
        }
        if (header > file.size() || file.size() - header < kRecordHeaderSize) {
            return Bytes{};
        }
        const uint32_t count = le16At(file, header + kRecordCountOffset);
        const uint32_t length = le16At(file, header + kRecordLengthOffset);
        if (count == 0) {
            return Bytes{};
        }
        if (idMatches(file, header, id)) {
            const int64_t wanted = std::min<int64_t>(length, maxLen);
            return wanted <= 0
                       ? Bytes{}
                       : bytesAt(file, header + kRecordHeaderSize, static_cast<uint64_t>(wanted));
        }
        if (k == count - 1) {
            return Bytes{};
        }
        header += kRecordHeaderSize + length;
    }
}

std::optional<uint64_t> referenceTrackStart(const Bytes& file, uint64_t diskOffset, int track) {
    if (track < 0 || track >= kMaxTracks || diskOffset > file.size() ||
        file.size() - diskOffset < kHeaderSize) {
        return std::nullopt;
    }
    const int64_t size = signedLe32At(file, diskOffset + kSizeFieldOffset);
    const int64_t entry =
        signedLe32At(file, diskOffset + kTrackTableOffset + 4 * static_cast<uint64_t>(track));
    if (entry <= 0 || entry > size) {
        return std::nullopt;
    }
    return diskOffset + static_cast<uint64_t>(entry);
}

std::optional<Bytes> referenceReadSectors(const Bytes& file, uint64_t diskOffset, int firstSector,
                                          int lastSector, RunStart start, int32_t length,
                                          uint64_t* stepBudget) {
    Bytes run;
    if (start.n < 0 || start.n > kLargestSizeCode) {
        return run;
    }
    const int32_t sectorSize = 128 << start.n;
    while (static_cast<int32_t>(run.size()) < length) {
        const int32_t chunk = std::min(sectorSize, length - static_cast<int32_t>(run.size()));
        const std::optional<uint64_t> trackStart =
            referenceTrackStart(file, diskOffset, start.track);
        const bool idFits = start.c >= 0 && start.c <= 255 && start.h >= 0 && start.h <= 255 &&
                            start.r >= 0 && start.r <= 255;
        if (!trackStart || !idFits) {
            return run;
        }
        const SectorId id{static_cast<uint8_t>(start.c), static_cast<uint8_t>(start.h),
                          static_cast<uint8_t>(start.r), static_cast<uint8_t>(start.n)};
        const std::optional<Bytes> sector =
            referenceReadSector(file, *trackStart, id, chunk, stepBudget);
        if (!sector) {
            return std::nullopt;
        }
        if (static_cast<int32_t>(sector->size()) < chunk) {
            return run;
        }
        run.insert(run.end(), sector->begin(), sector->end());
        if (start.r == lastSector) {
            ++start.track;
            if (start.h == 0) {
                start.h = 1;
            } else {
                start.h = 0;
                ++start.c;
            }
            start.r = firstSector;
        } else {
            ++start.r;
        }
    }
    return run;
}

}  // namespace queltests
