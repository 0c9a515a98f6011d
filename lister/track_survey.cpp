#include "lister/track_survey.h"

#include <algorithm>

#include "common/work_buffer.h"

namespace {
// Records that agree on their count list at most 65535 of them (the count is 16
// bits), which workBuffer holds with room to spare; records that disagree are
// listed only as far as workBuffer reaches.
constexpr int32_t listLimit = workBufferBytes;

void noteRecordCount(TrackSurvey& survey, int32_t records) {
    bool first = survey.usableCount == 1;
    survey.fewestRecords = first ? records : std::min(survey.fewestRecords, records);
    survey.mostRecords = first ? records : std::max(survey.mostRecords, records);
}

void surveyTrack(D88Image& image, int32_t track, TrackSurvey& survey) {
    survey.usable[track] = true;
    ++survey.usableCount;
    survey.highestUsable = track;
    int32_t listed = image.readTrackIds(track, workBuffer, listLimit);
    for (int32_t at = 0; at < listed; at += D88Image::listedIdBytes) {
        survey.sizeCodeSeen[workBuffer[at + D88Image::listedSizeCodeByte]] = true;
    }
    noteRecordCount(survey, listed / D88Image::listedIdBytes);
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
