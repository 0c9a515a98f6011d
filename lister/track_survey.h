#ifndef QUELT_LISTER_TRACK_SURVEY_H
#define QUELT_LISTER_TRACK_SURVEY_H

#include <cstdint>

#include "image/d88_image.h"
#include "lister/image_facts.h"

// The tracks of the selected disk, which begins at `diskOffset` in a file of
// `fileSize` bytes: which are whole in the file, cut off by its end or missing,
// and the ID fields of those that can be read. A track runs from its table
// entry to the next entry above it, or to the disk's end.
TrackFacts surveyTracks(D88Image& image, int64_t diskOffset, int64_t fileSize);

#endif
