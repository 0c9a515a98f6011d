#ifndef QUELT_RECOGNITION_TRACK_PRESENCE_H
#define QUELT_RECOGNITION_TRACK_PRESENCE_H

#include <cstdint>

#include "image/d88_image.h"

// How much of a track of the selected disk the image file holds. A track runs
// from its table entry to the next higher entry, or to the disk's end.
enum class TrackPresence {
    absent,       // its table entry is 0 or points outside the disk
    pastFileEnd,  // it would begin at or past the end of the file
    cutShort,     // it begins in the file, which ends before the track does
    whole,
};

// Where track `track` of the selected disk, which begins at `diskOffset` in the
// file, stands. Asks the image whether the file holds the track's first and
// last bytes (a stream is read up to them).
TrackPresence trackPresence(D88Image& image, int64_t diskOffset, int32_t track);

// Whether any track above `track` can be read.
bool anyUsableTrackAbove(const D88Image& image, int32_t track);

#endif
