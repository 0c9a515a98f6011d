#ifndef QUELT_LISTER_TRACK_SURVEY_H
#define QUELT_LISTER_TRACK_SURVEY_H

#include <cstdint>

#include "image/d88_image.h"
#include "lister/image_facts.h"

// The tracks of the selected disk, which begins at `diskOffset` in the file:
// which are whole in the file, cut off by its end or missing
// (recognition/track_presence.h), and the ID fields of those that can be read.
TrackFacts surveyTracks(D88Image& image, int64_t diskOffset);

#endif
