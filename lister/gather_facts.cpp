// Gathers an image's facts once, for every rendering.
#include "lister/gather_facts.h"

#include "gamefs/game_fs.h"
#include "lister/directory_facts.h"
#include "lister/directory_rule.h"
#include "lister/disk_verdict.h"
#include "lister/raw_pass.h"
#include "lister/track_survey.h"
#include "recognition/disk_roles.h"

namespace {
// The file's length, found by the reads D88Image makes: the first position
// that holds no byte. A file's positions stop at largestImageOffset.
int64_t fileLength(D88Image& image) {
    int64_t holds = -1;                     // the last position known to hold a byte
    int64_t past = largestImageOffset + 1;  // a position known to hold none
    if (image.fileHoldsByteAt(largestImageOffset)) {
        return past;
    }
    while (past - holds > 1) {
        const int64_t middle = holds + (past - holds) / 2;
        (image.fileHoldsByteAt(middle) ? holds : past) = middle;
    }
    return past;
}

void noteHeader(const D88Image& image, int64_t fileSize, DiskFacts& disk) {
    disk.size = static_cast<uint32_t>(image.diskSize());
    disk.bytesMissing = std::max<int64_t>(0, disk.offset + disk.size - fileSize);
    disk.name = image.diskName();
    disk.media = image.mediaType();
}

// The verdict was taken while all disks were judged; the directory is read
// again for this disk's entries.
void noteDirectory(D88Image& image, const GatherWants& wants, DiskFacts& disk) {
    if (!loadDirectory(image)) {
        return;
    }
    disk.usedEntries = usedEntryCount();
    disk.entries = gatherEntries(image);
    disk.foreignReason = foreignDirectoryReason(disk.entries);
    disk.directory = disk.foreignReason.empty() ? DirectoryState::thisFileSystem
                                                : DirectoryState::notThisFileSystem;
    if (wants.hashes && disk.directory == DirectoryState::thisFileSystem) {
        hashFiles(image, disk.entries);
    }
}

DiskFacts diskFacts(D88Image& image, int32_t index, const DiskVerdict& verdict,
                    int64_t fileSize, const GatherWants& wants) {
    DiskFacts disk;
    disk.number = index + 1;
    disk.offset = image.diskOffsetOf(index);
    disk.demoSignature = verdict.demoSignature;
    disk.listsStartup = verdict.listsStartup;
    disk.listsBgmscore = verdict.listsBgmscore;
    disk.headerRead = selectForReading(image, index);
    if (!disk.headerRead) {
        return disk;
    }
    noteHeader(image, fileSize, disk);
    disk.tracks = surveyTracks(image, disk.offset, fileSize);
    noteDirectory(image, wants, disk);
    return disk;
}

// Judges every disk before any is gathered, so that each can be told which
// disk quelt takes for each role: a scenario disk may come before the main
// disk, and whether quelt searches for it at all depends on a later main disk.
void gatherDisks(D88Image& image, const GatherWants& wants, ImageFacts& facts) {
    std::vector<DiskVerdict> verdicts;
    for (int32_t i = 0; i < image.diskCount(); ++i) {
        verdicts.push_back(judgeDisk(image, i));
        pickRoles(facts.picks, i, verdicts.back());
    }
    for (int32_t i = 0; i < image.diskCount(); ++i) {
        facts.disks.push_back(diskFacts(image, i, verdicts[i], facts.fileSize, wants));
    }
}
}  // namespace

ImageFacts gatherFacts(D88Image& image, const std::string& path, const GatherWants& wants) {
    ImageFacts facts;
    facts.path = path;
    facts.fault = firstHeaderFault(image);
    facts.firstSize = static_cast<uint32_t>(image.diskSize());
    facts.firstMedia = image.mediaType();
    facts.fileSize = fileLength(image);
    if (facts.isD88() || wants.disksOfNonImages) {
        gatherDisks(image, wants, facts);
    }
    readRawFacts(path, facts, wants.hashes);
    return facts;
}
