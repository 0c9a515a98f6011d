#ifndef QUELT_LISTER_TRACK_SURVEY_H
#define QUELT_LISTER_TRACK_SURVEY_H

#include <bitset>
#include <cstdint>

#include "image/d88_image.h"

constexpr int32_t sizeCodes = 256;

// The tracks of the selected disk as the sector reads see them.
struct TrackSurvey {
    bool usable[D88Image::maxTracks] = {};
    int32_t usableCount = 0;
    int32_t highestUsable = -1;
    // Fewest and most records listed on a usable track; 0 when none is usable.
    int32_t fewestRecords = 0;
    int32_t mostRecords = 0;
    // The size codes N found in the records' ID fields.
    std::bitset<sizeCodes> sizeCodeSeen;
};

// Lists the ID fields of every usable track of the selected disk.
TrackSurvey surveyTracks(D88Image& image);

#endif
