// Gathers an image's facts once, for every rendering.
#include "lister/gather_facts.h"

#include "lister/directory_facts.h"
#include "lister/quelt_verdict.h"
#include "lister/raw_pass.h"
#include "lister/track_survey.h"
#include "recognition/disk_verdict.h"

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

void noteVerdict(const DiskVerdict& verdict, DiskFacts& disk) {
    disk.demoSignature = verdict.demoSignature;
    disk.directory = verdict.directory;
    disk.listsStartup = verdict.listsStartup;
    disk.listsBgmscore = verdict.listsBgmscore;
}

// The disk's directory is read once, when it is judged; its entries are
// gathered from the tables that read left.
DiskFacts diskFacts(D88Image& image, int32_t index, int64_t fileSize, const GatherWants& wants) {
    DiskFacts disk;
    disk.number = index + 1;
    disk.offset = image.diskOffsetOf(index);
    const DiskVerdict verdict = judgeDisk(image, index);
    disk.headerRead = verdict.headerRead;
    if (!disk.headerRead) {
        return disk;
    }
    noteVerdict(verdict, disk);
    noteHeader(image, fileSize, disk);
    disk.tracks = surveyTracks(image, disk.offset);
    const bool hashes = wants.hashes && disk.directory.state == DirectoryState::thisFileSystem;
    disk.entries = gatherEntries(image, disk.offset, hashes, disk.loads);
    return disk;
}

// Every disk is gathered before quelt's verdict is taken over them: a scenario
// disk may come before the main disk, and whether quelt searches for it at all
// depends on a later main disk.
void gatherDisks(D88Image& image, const GatherWants& wants, ImageFacts& facts) {
    for (int32_t i = 0; i < image.diskCount(); ++i) {
        facts.disks.push_back(diskFacts(image, i, facts.fileSize, wants));
    }
    judgeImage(image, facts);
}
}  // namespace

ImageFacts gatherFacts(D88Image& image, const std::string& path, const GatherWants& wants) {
    ImageFacts facts;
    facts.path = path;
    facts.fault = firstHeaderFault(image);
    facts.firstSize = static_cast<uint32_t>(image.diskSize());
    facts.firstMedia = image.mediaType();
    facts.fileSize = fileLength(image);
    facts.disksGathered = facts.isD88() || wants.disksOfNonImages;
    if (facts.disksGathered) {
        gatherDisks(image, wants, facts);
    }
    readRawFacts(path, facts, wants.hashes);
    return facts;
}
