#include "fuzz/image_checks.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <set>
#include <vector>

#include "fuzz/fuzz_setup.h"
#include "fuzz/program_runs.h"
#include "gamefs/game_fs.h"
#include "image/d88_image.h"
#include "image/d88_image_seam.h"
#include "tests/support/reference_search.h"

namespace fuzzchecks {

namespace {

using queltests::SectorId;

constexpr std::size_t idBytes = 4;
constexpr std::size_t listedIdsAsked = 8;  // of each track's listed IDs, the first ones are read
constexpr std::size_t idsAddedPerTrack = 2;  // an ID from the input, a sector of the track
constexpr uint8_t canary = 0xA5;
constexpr std::size_t largestRead = 65535;
constexpr std::size_t slack = 64;
// Records the plain walks may examine per input, so that an input of long tracks
// stays quick; answers past it are not compared.
constexpr uint64_t referenceSteps = 1u << 16;

// Images up to this size are asked for any ID (see askable).
constexpr std::size_t anyIdImageLimit = std::size_t{1} << 20;

const RecordIndex::Limits sweepAtOnce{0, 0, 7};
const RecordIndex::Limits sweepSoon{4096, 1 << 20, longestListing};

const int32_t readLengths[] = {1, 30, 255, 256, 257, 1024, 32768, 65535};
const int32_t idListLengths[] = {0, -5, 1, 4, 64, 1000};
const int32_t runLengths[] = {0, 100, 256, 2048, 3840, 8192};

// Values taken from the input's own bytes, so that the fuzzer steers the addresses.
class InputBytes {
public:
    explicit InputBytes(const Bytes& file) : file_(file) {}
    uint8_t next() { return file_.empty() ? 0 : file_[(cursor_++ * 7919) % file_.size()]; }
    template <std::size_t count>
    int32_t pick(const int32_t (&choices)[count]) {
        return choices[next() % count];
    }

private:
    const Bytes& file_;
    std::size_t cursor_ = 0;
};

struct DiskUnderTest {
    D88Image& image;
    const Bytes& file;
    uint64_t diskOffset;
    uint64_t& steps;
    int32_t listingLimit;  // 0: listings are not compared
};

// Reads into a buffer longer than asked, so that bytes written past the count
// (or past maxLen) show as a changed canary.
void compareSector(DiskUnderTest& disk, int track, const SectorId& id, int32_t maxLen) {
    static const std::vector<uint8_t> canaries(largestRead + slack, canary);
    static std::vector<uint8_t> dest(largestRead + slack);
    const std::size_t filled = static_cast<std::size_t>(maxLen) + slack;
    std::memset(dest.data(), canary, filled);
    const int32_t read =
        disk.image.readSector({track, id.c, id.h, id.r, id.n}, dest.data(), maxLen);
    if (read < 0 || read > maxLen) {
        fuzzsetup::fail("readSector returned " + std::to_string(read));
    }
    std::optional<Bytes> expected = Bytes{};
    if (std::optional<uint64_t> start =
            queltests::referenceTrackStart(disk.file, disk.diskOffset, track)) {
        expected = queltests::referenceReadSector(disk.file, *start, id, maxLen, &disk.steps);
    }
    const std::size_t count = static_cast<std::size_t>(read);
    const bool sameBytes = expected && expected->size() == count &&
                           (count == 0 || std::memcmp(dest.data(), expected->data(), count) == 0);
    const bool restUntouched =
        std::memcmp(dest.data() + count, canaries.data(), filled - count) == 0;
    if ((expected && !sameBytes) || !restUntouched) {
        fuzzsetup::fail("readSector differs from a plain walk on track " + std::to_string(track));
    }
}

// The IDs the track lists, into a buffer of exactly the size the call may fill.
std::vector<SectorId> listedIds(DiskUnderTest& disk, int track, InputBytes& input) {
    const int32_t maxLen = input.pick(idListLengths);
    const std::size_t room =
        maxLen > 0 ? (static_cast<std::size_t>(maxLen) + idBytes - 1) / idBytes * idBytes : 0;
    std::vector<uint8_t> ids(room);
    const int32_t listed = disk.image.readTrackIds(track, ids.data(), maxLen);
    if (listed < 0 || static_cast<std::size_t>(listed) > room || listed % idBytes != 0) {
        fuzzsetup::fail("readTrackIds returned " + std::to_string(listed));
    }
    std::vector<SectorId> found;
    found.reserve(listedIdsAsked + idsAddedPerTrack);
    for (std::size_t at = 0; at < static_cast<std::size_t>(listed) && found.size() < listedIdsAsked;
         at += idBytes) {
        found.push_back({ids[at], ids[at + 1], ids[at + 2], ids[at + 3]});
    }
    return found;
}

void compareListing(DiskUnderTest& disk, int track) {
    const TrackListing listing = disk.image.listTrack(track);
    queltests::ReferenceListing expected;
    if (std::optional<uint64_t> start =
            queltests::referenceTrackStart(disk.file, disk.diskOffset, track)) {
        expected = queltests::referenceListTrack(disk.file, *start, disk.listingLimit);
    }
    if (listing.records != expected.records || listing.sizeCodes != expected.sizeCodes) {
        fuzzsetup::fail("listTrack differs from a plain walk on track " + std::to_string(track));
    }
}

// IDs no run of sectors of the track asks for are searched by reading after a
// sweep, as the plain walk does: on a large image with long tracks each costs a
// walk of the track, so they are asked of small images only, and only while the
// plain walk can still give the answer to compare.
bool askable(const DiskUnderTest& disk, int track, const SectorId& id) {
    return (disk.file.size() <= anyIdImageLimit && disk.steps > 0) ||
           sweptKey(track, id.c, id.h, id.r, id.n) >= 0;
}

void exerciseTrack(DiskUnderTest& disk, int track, InputBytes& input) {
    if (disk.listingLimit > 0) {
        compareListing(disk, track);
    }
    std::vector<SectorId> ids = listedIds(disk, track, input);
    ids.push_back(
        {input.next(), input.next(), input.next(), static_cast<uint8_t>(input.next() % 4)});
    ids.push_back({static_cast<uint8_t>(track / 2), static_cast<uint8_t>(track % 2),
                   static_cast<uint8_t>(input.next() % 18), 1});
    ids.erase(std::remove_if(ids.begin(), ids.end(),
                             [&](const SectorId& id) { return !askable(disk, track, id); }),
              ids.end());
    for (const SectorId& id : ids) {
        compareSector(disk, track, id, input.pick(readLengths));
    }
}

// A run from anywhere, or on a large image from one of a track's own sectors
// (see askable).
queltests::RunStart runStart(const DiskUnderTest& disk, InputBytes& input) {
    queltests::RunStart start{input.next() % 170, input.next() % 90, input.next() % 3,
                             input.next() % 20, input.next() % 10};
    const SectorId id{static_cast<uint8_t>(start.c), static_cast<uint8_t>(start.h),
                      static_cast<uint8_t>(start.r), static_cast<uint8_t>(start.n)};
    if (!askable(disk, start.track, id)) {
        start.c = start.track / 2;
        start.h = start.track % 2;
        start.r = 1 + start.r % 16;
    }
    return start;
}

void compareRun(DiskUnderTest& disk, InputBytes& input) {
    const queltests::RunStart start = runStart(disk, input);
    const int32_t length = input.pick(runLengths);
    std::vector<uint8_t> dest(static_cast<std::size_t>(length), canary);
    const int32_t read = disk.image.readSectors({start.track, start.c, start.h, start.r, start.n},
                                                dest.data(), length);
    const std::optional<Bytes> expected = queltests::referenceReadSectors(
        disk.file, disk.diskOffset, 1, 16, start, length, &disk.steps);
    if (expected &&
        (read != static_cast<int32_t>(expected->size()) ||
         (read > 0 && std::memcmp(expected->data(), dest.data(), expected->size()) != 0))) {
        fuzzsetup::fail("readSectors differs from a plain walk from track " +
                        std::to_string(start.track));
    }
}

// The directory, lookups and loads: the loads must stay inside workBuffer.
void exerciseFileSystem(D88Image& image) {
    loadDirectory(image);
    const std::string firstName = fuzzruns::entryName(directoryTable[0]);
    for (const char* name : {"startup", "bgmscore", "sud_data", firstName.c_str()}) {
        findFile(name);
        const LoadResult loaded = loadFile(image, name);
        if (loaded.size < 0 || loaded.size > 0xFFFF) {
            fuzzsetup::fail("loadFile gave a size of " + std::to_string(loaded.size));
        }
    }
}

void exerciseDisk(DiskUnderTest& disk, int32_t index, InputBytes& input) {
    if (!disk.image.selectDisk(index)) {
        fuzzsetup::fail("an indexed disk cannot be selected: " + std::to_string(index));
    }
    disk.image.setSectorRange(1, 16);
    for (int track = -1; track <= D88Image::maxTracks; ++track) {
        if (disk.image.trackUsable(track) || track % 41 == 0) {
            exerciseTrack(disk, track, input);
        }
    }
    for (int run = 0; run < 8; ++run) {
        compareRun(disk, input);
    }
    exerciseFileSystem(disk.image);
}

}  // namespace

void setLimits(D88Image& image, bool swept) {
    D88ImageSeam::setRecordLimits(image, swept ? sweepAtOnce : sweepSoon);
}

bool sweptInput(const uint8_t* data, std::size_t size) {
    return fuzzsetup::inSample(data, size, 2);
}

void checkImage(const Bytes& file, int32_t disksChecked, bool swept) {
    clearGameFsTables();
    // One reader for every input of each kind, as a program has one: its
    // sweep's memory is kept.
    static D88Image sweptImage(sweepAtOnce);
    static D88Image unsweptImage(sweepSoon);
    D88Image& image = swept ? sweptImage : unsweptImage;
    if (!image.open(std::unique_ptr<ByteSource>(new MemorySource(file.data(), file.size())))) {
        fuzzsetup::fail("an image in memory does not open");
    }
    InputBytes input(file);
    uint64_t steps = referenceSteps;
    std::set<int32_t> seenOffsets;
    for (int32_t index = 0;
         index < image.diskCount() && seenOffsets.size() < static_cast<std::size_t>(disksChecked);
         ++index) {
        if (seenOffsets.insert(image.diskOffsetOf(index)).second) {
            DiskUnderTest disk{image, file, static_cast<uint64_t>(image.diskOffsetOf(index)),
                               steps, swept ? sweepAtOnce.listingLimit : 0};
            exerciseDisk(disk, index, input);
        }
    }
    image.open(nullptr);
}

}  // namespace fuzzchecks
