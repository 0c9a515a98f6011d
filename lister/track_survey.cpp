// Which tracks lie whole in the file, cut short or missing, and what they hold.
#include "lister/track_survey.h"

#include <algorithm>
#include <bitset>
#include <vector>

#include "recognition/track_presence.h"

namespace {
constexpr int32_t sizeCodes = 256;

int32_t highestUsableTrack(const D88Image& image) {
    int32_t highest = -1;
    for (int32_t track = 0; track < D88Image::maxTracks; ++track) {
        if (image.trackUsable(track)) {
            highest = track;
        }
    }
    return highest;
}

struct RecordTally {
    int32_t readable = 0;
    std::bitset<sizeCodes> codes;
};

void noteRecords(TrackFacts& facts, RecordTally& tally, const TrackListing& listing) {
    const bool first = tally.readable++ == 0;
    facts.fewestRecords = first ? listing.records : std::min(facts.fewestRecords, listing.records);
    facts.mostRecords = first ? listing.records : std::max(facts.mostRecords, listing.records);
    tally.codes |= listing.sizeCodes;
}
}  // namespace

// Records that agree on their count list at most 65535 of them (the count is 16
// bits); records that disagree are listed only as far as longestListing.
TrackFacts surveyTracks(D88Image& image, int64_t diskOffset) {
    TrackFacts facts;
    RecordTally tally;
    const int32_t highest = highestUsableTrack(image);
    for (int32_t track = 0; track <= highest; ++track) {
        const TrackPresence presence = trackPresence(image, diskOffset, track);
        if (presence == TrackPresence::absent || presence == TrackPresence::pastFileEnd) {
            facts.missing.push_back(track);
            continue;
        }
        if (presence == TrackPresence::cutShort) {
            facts.cutShort.push_back(track);
        } else {
            ++facts.present;
        }
        const TrackListing listing = image.listTrack(track);
        noteRecords(facts, tally, listing);
        // A track cut off by the file's end is flagged as such already.
        const int32_t named = image.namedSectorCount(track);
        if (presence == TrackPresence::whole && listing.records < named) {
            facts.shortTracks.push_back({track, listing.records, named});
        }
    }
    for (int32_t code = 0; code < sizeCodes; ++code) {
        if (tally.codes[static_cast<std::size_t>(code)]) {
            facts.sizeCodes.push_back(code);
        }
    }
    return facts;
}
