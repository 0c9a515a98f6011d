// The companions' verdict on a disk's directory (see the header).
#include "recognition/directory_verdict.h"

#include "common/plural.h"
#include "gamefs/game_fs.h"
#include "recognition/directory_rule.h"
#include "recognition/track_presence.h"

namespace {
constexpr int32_t directoryTrack = directoryStart.track;
// A track of this file system holds at most this many records.
constexpr int32_t layoutRecords = lastSectorNumber - firstSectorNumber + 1;
constexpr int32_t sectorBytes = sectorLength(sectorSizeCode);

std::string trackName() {
    return "track " + std::to_string(directoryTrack);
}

DirectoryVerdict verdictOf(DirectoryState state, const std::string& reason) {
    DirectoryVerdict verdict;
    verdict.state = state;
    verdict.reason = reason;
    return verdict;
}

std::string sizeText(int32_t code) {
    return sizeCodeHasLength(code) ? counted(sectorLength(code), "byte", "bytes")
                                   : "size code " + std::to_string(code);
}

bool isLayoutId(const uint8_t* id) {
    return id[0] == directoryStart.c && id[1] == directoryStart.h && id[2] >= firstSectorNumber &&
           id[2] <= lastSectorNumber && id[D88Image::listedSizeCodeByte] == sectorSizeCode;
}

// Whether the directory track's records, `records` of them, are all this file
// system's: 256-byte sectors of cylinder 20, head 0, numbered 1 to 16.
bool hasThisLayout(D88Image& image, int32_t records) {
    if (records == 0 || records > layoutRecords) {
        return false;
    }
    uint8_t ids[layoutRecords * D88Image::listedIdBytes] = {};
    const int32_t listed = image.readTrackIds(directoryTrack, ids, sizeof ids);
    for (int32_t at = 0; at < listed; at += D88Image::listedIdBytes) {
        if (!isLayoutId(ids + at)) {
            return false;
        }
    }
    return listed > 0;
}

// The first directory or allocation sector that cannot be read whole (the
// allocation sector when the others can: loadDirectory failed on one of them).
int32_t firstUnreadSector(D88Image& image) {
    uint8_t sector[sectorBytes];
    SectorAddress address = directoryStart;
    for (; address.r < allocationStart.r; ++address.r) {
        if (image.readSector(address, sector, sectorBytes) < sectorBytes) {
            break;
        }
    }
    return address.r;
}

std::string foreignTrackReason(const TrackListing& listing) {
    if (listing.records == 0) {
        return trackName() + " holds no sector";
    }
    std::string reason = trackName() + " holds " + sectorsText(listing.records, listing.sizeCodes);
    if (listing.sizeCodes.count() == 1 && listing.sizeCodes[sectorSizeCode]) {
        reason += ", not numbered " + std::to_string(firstSectorNumber) + " to " +
                  std::to_string(lastSectorNumber) + " on cylinder " +
                  std::to_string(directoryStart.c) + ", head " + std::to_string(directoryStart.h);
    }
    return reason;
}

// Why the tables on a track that begins in the file could not be read.
DirectoryVerdict recordsVerdict(D88Image& image, TrackPresence presence) {
    const TrackListing listing = image.listTrack(directoryTrack);
    const bool cutShort = presence == TrackPresence::cutShort;
    if (!(cutShort && listing.records == 0) && !hasThisLayout(image, listing.records)) {
        return verdictOf(DirectoryState::notThisFileSystem, foreignTrackReason(listing));
    }
    if (cutShort) {
        return verdictOf(DirectoryState::unreadable,
                         trackName() + " is cut short by the end of the file");
    }
    const std::string sector = "sector " + std::to_string(firstUnreadSector(image));
    return verdictOf(DirectoryState::unreadable,
                     sector + " of " + trackName() + " cannot be read whole");
}

DirectoryVerdict trackVerdict(D88Image& image, int64_t diskOffset) {
    switch (trackPresence(image, diskOffset, directoryTrack)) {
    case TrackPresence::absent:
        if (anyUsableTrackAbove(image, directoryTrack)) {
            return verdictOf(DirectoryState::unreadable,
                             trackName() + " is missing from the track table");
        }
        return verdictOf(DirectoryState::notThisFileSystem,
                         "the track table names no track from " + std::to_string(directoryTrack) +
                             " on");
    case TrackPresence::pastFileEnd:
        return verdictOf(DirectoryState::unreadable,
                         trackName() + " lies past the end of the file");
    case TrackPresence::cutShort:
        return recordsVerdict(image, TrackPresence::cutShort);
    case TrackPresence::whole:
        break;
    }
    return recordsVerdict(image, TrackPresence::whole);
}

DirectoryVerdict entriesVerdict(const D88Image& image) {
    DirectoryVerdict verdict;
    verdict.tablesRead = true;
    verdict.usedEntries = usedEntryCount();
    verdict.linkedClusters = linkedClusterCount(image);
    verdict.reason = foreignDirectoryReason(verdict.linkedClusters);
    if (!verdict.reason.empty()) {
        verdict.state = DirectoryState::notThisFileSystem;
    } else {
        verdict.state = verdict.usedEntries == 0 ? DirectoryState::empty
                                                 : DirectoryState::thisFileSystem;
    }
    return verdict;
}
}  // namespace

std::string sectorsText(int32_t records, const std::bitset<256>& sizeCodes) {
    std::string sizes;
    for (int32_t code = 0; code < static_cast<int32_t>(sizeCodes.size()); ++code) {
        if (sizeCodes[static_cast<std::size_t>(code)]) {
            sizes += (sizes.empty() ? "" : ", ") + sizeText(code);
        }
    }
    return counted(records, "sector", "sectors") +
           (sizeCodes.count() > 1 ? " of sizes " : " of ") + sizes;
}

DirectoryVerdict judgeDirectory(D88Image& image, int64_t diskOffset, bool whole) {
    return whole ? entriesVerdict(image) : trackVerdict(image, diskOffset);
}
