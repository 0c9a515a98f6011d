#include "image/track_index.h"

#include <algorithm>

#include "common/little_endian.h"

bool readRecordHeader(FileReader& file, int64_t position, RecordHeader& header) {
    uint8_t bytes[recordHeaderSize];
    if (file.readAt(position, bytes, sizeof bytes) != sizeof bytes) {
        return false;
    }
    header.c = bytes[0];
    header.h = bytes[1];
    header.r = bytes[2];
    header.n = bytes[3];
    header.sectorCount = readLe16(bytes + 4);
    header.dataLength = readLe16(bytes + 14);
    return true;
}

uint32_t sectorId(uint8_t c, uint8_t h, uint8_t r, uint8_t n) {
    return static_cast<uint32_t>(c) | (static_cast<uint32_t>(h) << 8) |
           (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(n) << 24);
}

bool RecordWalk::next(FileReader& file, uint32_t& id, SectorLocation& location) {
    RecordHeader header;
    if (ended_ || !readRecordHeader(file, position_, header) || header.sectorCount == 0) {
        ended_ = true;
        return false;
    }
    id = sectorId(header.c, header.h, header.r, header.n);
    location.dataPosition = position_ + recordHeaderSize;
    location.dataLength = header.dataLength;
    ended_ = k_ == header.sectorCount - 1;
    position_ = location.dataPosition + header.dataLength;
    ++k_;
    return true;
}

TrackIndex::TrackIndex(FileReader& file, int64_t trackStart)
    : trackStart_(trackStart), rest_(trackStart) {
    uint32_t id = 0;
    SectorLocation location;
    while (ids_.size() < indexLimit && rest_.next(file, id, location)) {
        ids_.push_back(id);
        locations_.push_back(location);
    }
}

bool TrackIndex::find(FileReader& file, uint32_t id, SectorLocation& location) const {
    auto hit = std::find(ids_.begin(), ids_.end(), id);
    if (hit != ids_.end()) {
        location = locations_[static_cast<std::size_t>(hit - ids_.begin())];
        return true;
    }
    RecordWalk walk = rest_;
    uint32_t seen = 0;
    while (walk.next(file, seen, location)) {
        if (seen == id) {
            return true;
        }
    }
    return false;
}

bool TrackIndexCache::find(FileReader& file, int64_t trackStart, uint32_t id,
                           SectorLocation& location) {
    auto hit = std::find_if(entries_.begin(), entries_.end(), [&](const TrackIndex& entry) {
        return entry.trackStart() == trackStart;
    });
    if (hit == entries_.end()) {
        if (entries_.size() == capacity) {
            entries_.erase(entries_.begin());
        }
        entries_.emplace_back(file, trackStart);
    } else {
        std::rotate(hit, hit + 1, entries_.end());
    }
    return entries_.back().find(file, id, location);
}
