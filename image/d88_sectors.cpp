// Sector access on the selected disk: sectors are found by searching a track's
// records for a matching ID, never by computing a position from the number.
#include "image/d88_image.h"

#include <algorithm>

#include "image/record_index.h"
#include "image/track_cursor.h"

namespace {
// Keeps the listed count itself from overflowing on an absurdly long track.
constexpr int32_t largestListed = 0x7FFFFFFF - D88Image::listedIdBytes;

bool fitsInByte(int32_t value) {
    return value >= 0 && value <= 255;
}

void listId(const RecordHeader& header, uint8_t* dest) {
    dest[0] = header.c;
    dest[1] = header.h;
    dest[2] = header.r;
    dest[D88Image::listedSizeCodeByte] = header.n;
}
}  // namespace

// A track is usable when its entry points inside its disk. Entries of 0 mean
// absent; negative ones (some writers put 0xFFFFFFFF there) are absent too.
bool D88Image::entryUsable(int32_t entry, int32_t diskSize) {
    return entry > 0 && entry <= diskSize;
}

bool D88Image::trackUsable(int32_t trackIndex) const {
    return file_.isOpen() && trackIndex >= 0 && trackIndex < maxTracks &&
           entryUsable(trackOffsets_[trackIndex], diskSize_);
}

int64_t D88Image::trackStart(int32_t trackIndex) const {
    return static_cast<int64_t>(diskOffset_) + trackOffsets_[trackIndex];
}

int32_t D88Image::readSector(const SectorAddress& address, uint8_t* dest, int32_t maxLen) {
    if (maxLen <= 0 || !trackUsable(address.track) || !fitsInByte(address.c) ||
        !fitsInByte(address.h) || !fitsInByte(address.r) || !fitsInByte(address.n)) {
        return 0;
    }
    uint32_t id = sectorId(static_cast<uint8_t>(address.c), static_cast<uint8_t>(address.h),
                           static_cast<uint8_t>(address.r), static_cast<uint8_t>(address.n));
    SectorLocation location;
    if (!recordIndex_->find(file_, {trackStart(address.track), address.track}, id, location)) {
        return 0;
    }
    int32_t wanted = std::min(location.dataLength, maxLen);
    return static_cast<int32_t>(
        file_.readAt(location.dataPosition, dest, static_cast<std::size_t>(wanted)));
}

int32_t D88Image::readSectors(SectorAddress address, uint8_t* dest, int32_t length) {
    if (address.n < 0 || address.n > largestSizeCode) {
        return 0;
    }
    const int32_t sectorSize = sectorLength(address.n);
    int32_t total = 0;
    while (total < length) {
        int32_t chunk = std::min(sectorSize, length - total);
        if (readSector(address, dest + total, chunk) < chunk) {
            return total;
        }
        total += chunk;
        advance(address, firstSector_, lastSector_);
    }
    return total;
}

// After the range's last sector a run goes on at the next track index, with the
// head flipped and, when the head goes back to 0, the next cylinder.
void D88Image::advance(SectorAddress& address, int32_t firstSector, int32_t lastSector) {
    if (address.r != lastSector) {
        ++address.r;
        return;
    }
    ++address.track;
    if (address.h == 0) {
        address.h = 1;
    } else {
        address.h = 0;
        ++address.c;
    }
    address.r = firstSector;
}

int32_t D88Image::readTrackIds(int32_t trackIndex, uint8_t* dest, int32_t maxLen) {
    if (!trackUsable(trackIndex)) {
        return 0;
    }
    int32_t listed = 0;
    for (TrackCursor cursor(trackStart(trackIndex)); listed < maxLen && listed <= largestListed;
         cursor.next()) {
        if (!cursor.read(file_)) {
            break;
        }
        listId(cursor.header(), dest + listed);
        listed += listedIdBytes;
        if (cursor.last()) {
            break;
        }
    }
    return listed;
}

TrackListing D88Image::listTrack(int32_t trackIndex) {
    return trackUsable(trackIndex)
               ? recordIndex_->listing(file_, {trackStart(trackIndex), trackIndex})
               : TrackListing{};
}

int32_t D88Image::namedSectorCount(int32_t trackIndex) {
    TrackCursor cursor(trackStart(trackIndex));
    return trackUsable(trackIndex) && cursor.read(file_) ? cursor.header().sectorCount : -1;
}
