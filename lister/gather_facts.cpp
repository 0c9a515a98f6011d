// Gathers an image's facts once, for every rendering.
#include "lister/gather_facts.h"

#include <algorithm>
#include <memory>

#include "common/work_buffer.h"
#include "lister/directory_facts.h"
#include "lister/image_hashes.h"
#include "lister/quelt_verdict.h"
#include "lister/track_survey.h"
#include "recognition/disk_verdict.h"
#include "recognition/header_check.h"

namespace {
// Every indexed disk's bytes, by its header's size field, unsigned; a disk whose
// header cannot be read holds none. Selects each disk.
std::vector<DiskSpan> diskSpans(D88Image& image) {
    std::vector<DiskSpan> spans;
    for (int32_t i = 0; i < image.diskCount(); ++i) {
        const int64_t start = image.diskOffsetOf(i);
        const int64_t size = image.selectDisk(i) ? static_cast<uint32_t>(image.diskSize()) : 0;
        spans.push_back({start, start + size});
    }
    return spans;
}

// Where the disks end: no question the listing asks of the file's length
// concerns a position past it.
int64_t reachOf(const std::vector<DiskSpan>& spans) {
    int64_t reach = D88Image::headerSize;
    for (const DiskSpan& span : spans) {
        reach = std::max(reach, span.end);
    }
    return reach;
}

// The file's length as its source knows it. A stream's is found by reading it as
// far as the disks reach: a stream that goes on past them answers every
// question about them alike, so the reach stands for its length until a pass
// to its end (finishFile) finds it.
int64_t fileLength(D88Image& image, int64_t reach) {
    if (image.knownFileLength() < 0) {
        image.fileHoldsByteAt(std::min(reach, largestImageOffset) - 1);
    }
    const int64_t known = image.knownFileLength();
    return known >= 0 ? known : reach;
}

// The rest of the file to its hashes, and the file's length and whether it
// could all be read.
void finishFile(D88Image& image, ImageHashes& hashes, ImageFacts& facts) {
    const PassEnd end = image.finishInOrder();
    facts.fileSize = end.length;
    facts.cutOffAt = end.cutOff ? end.length : -1;
    facts.readFailed = end.failed;
    if (end.failed || end.cutOff) {
        return;
    }
    facts.hashes = hashes.finishFile();
    const std::vector<Hashes> disks = hashes.finishDisks(facts.hashes);
    for (DiskFacts& disk : facts.disks) {
        disk.hashes = disks[static_cast<std::size_t>(disk.number - 1)];
    }
}

void noteHeader(const D88Image& image, int64_t fileSize, DiskFacts& disk) {
    disk.size = static_cast<uint32_t>(image.diskSize());
    disk.bytesMissing = std::max<int64_t>(0, disk.offset + disk.size - fileSize);
    disk.name = image.diskName();
    disk.media = image.mediaType();
    disk.writeProtect = image.writeProtect();
}

void noteVerdict(const DiskVerdict& verdict, DiskFacts& disk) {
    disk.demoSignature = verdict.demoSignature;
    disk.directory = verdict.directory;
    disk.listsStartup = verdict.listsStartup;
    disk.listsBgmscore = verdict.listsBgmscore;
}

// The disk's directory is read once, when it is judged; its entries are
// gathered from the tables that read left.
DiskFacts diskFacts(D88Image& image, int32_t index, int64_t fileSize, const GatherWants& wants,
                    uint8_t* loadBuffer) {
    DiskFacts disk;
    disk.number = index + 1;
    disk.offset = image.diskOffsetOf(index);
    const DiskVerdict verdict = judgeDisk(image, index, loadBuffer);
    disk.headerRead = verdict.headerRead;
    if (!disk.headerRead) {
        return disk;
    }
    noteVerdict(verdict, disk);
    noteHeader(image, fileSize, disk);
    disk.tracks = surveyTracks(image, disk.offset);
    if (disk.directory.state == DirectoryState::notThisFileSystem ||
        disk.directory.state == DirectoryState::unreadable) {
        disk.fileSystem = identifyForeignFileSystem(image);
    }
    const bool hashes = wants.hashes && disk.directory.state == DirectoryState::thisFileSystem;
    disk.entries = gatherEntries(image, disk.offset, hashes, loadBuffer, disk.loads);
    return disk;
}

// Every disk is gathered before quelt's verdict is taken over them: a scenario
// disk may come before the main disk, and whether quelt searches for it at all
// depends on a later main disk.
// The disks' files and quelt's cuts are loaded into a buffer of this file's
// listing: files are listed on several threads at once.
void gatherDisks(D88Image& image, const GatherWants& wants, ImageFacts& facts) {
    const std::unique_ptr<uint8_t[]> loadBuffer(new uint8_t[workBufferSize]);
    for (int32_t i = 0; i < image.diskCount(); ++i) {
        facts.disks.push_back(diskFacts(image, i, facts.fileSize, wants, loadBuffer.get()));
    }
    judgeImage(image, facts, loadBuffer.get());
}
}  // namespace

void noteForm(ImageFacts& facts, const std::string& form) {
    facts.form = facts.isD88() ? "" : form;
    facts.notD88Reason = facts.isD88() ? ""
                                       : notD88Reason(facts.form, facts.fault, facts.firstSize,
                                                      facts.firstMedia);
}

ImageFacts gatherFacts(D88Image& image, const std::string& path, const GatherWants& wants) {
    ImageFacts facts;
    facts.path = path;
    const FirstHeader first = checkFirstHeader(image);
    facts.fault = first.fault;
    facts.firstSize = first.size;
    facts.firstMedia = first.media;
    // The hashes take the bytes as the disks' reading reaches them.
    const std::vector<DiskSpan> spans = diskSpans(image);
    ImageHashes hashes(spans, image.knownFileLength());
    if (wants.hashes) {
        image.observeInOrder(&hashes);
    }
    facts.fileSize = fileLength(image, reachOf(spans));
    facts.disksGathered = facts.isD88() || wants.disksOfNonImages;
    if (facts.disksGathered) {
        gatherDisks(image, wants, facts);
    }
    if (wants.hashes) {
        finishFile(image, hashes, facts);
    } else {
        facts.readFailed = image.readFailed();
    }
    return facts;
}
