#include "lister/track_survey.h"

#include <algorithm>


namespace {
void noteRecordCount(TrackSurvey& survey, int32_t records) {
    bool first = survey.usableCount == 1;
    survey.fewestRecords = first ? records : std::min(survey.fewestRecords, records);
    survey.mostRecords = first ? records : std::max(survey.mostRecords, records);
}

// Records that agree on their count list at most 65535 of them (the count is 16
// bits); records that disagree are listed only as far as longestListing.
void surveyTrack(D88Image& image, int32_t track, TrackSurvey& survey) {
    survey.usable[track] = true;
    ++survey.usableCount;
    survey.highestUsable = track;
    const TrackListing listing = image.listTrack(track);
    survey.sizeCodeSeen |= listing.sizeCodes;
    noteRecordCount(survey, listing.records);
}
}  // namespace

TrackSurvey surveyTracks(D88Image& image) {
    TrackSurvey survey;
    for (int32_t track = 0; track < D88Image::maxTracks; ++track) {
        if (image.trackUsable(track)) {
            surveyTrack(image, track, survey);
        }
    }
    return survey;
}
