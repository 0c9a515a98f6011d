#include "recognition/track_presence.h"

namespace {
// Where a track that lies inside the disk ends: at the next higher entry, or at
// the disk's end.
int64_t trackEnd(const D88Image& image, int32_t track) {
    const int64_t start = image.trackOffset(track);
    int64_t end = static_cast<uint32_t>(image.diskSize());
    for (int32_t other = 0; other < D88Image::maxTracks; ++other) {
        const int64_t entry = image.trackOffset(other);
        if (image.trackUsable(other) && entry > start && entry < end) {
            end = entry;
        }
    }
    return end;
}
}  // namespace

TrackPresence trackPresence(D88Image& image, int64_t diskOffset, int32_t track) {
    if (!image.trackUsable(track)) {
        return TrackPresence::absent;
    }
    const int64_t start = diskOffset + image.trackOffset(track);
    if (!image.fileHoldsByteAt(start)) {
        return TrackPresence::pastFileEnd;
    }
    const int64_t end = diskOffset + trackEnd(image, track);
    return end > start && !image.fileHoldsByteAt(end - 1) ? TrackPresence::cutShort
                                                           : TrackPresence::whole;
}

bool anyUsableTrackAbove(const D88Image& image, int32_t track) {
    for (int32_t above = track + 1; above < D88Image::maxTracks; ++above) {
        if (image.trackUsable(above)) {
            return true;
        }
    }
    return false;
}
