// D88Image's sector search against a plain walk of the track, on many generated
// images: tracks that start at different records of one sequence (so that they
// share what the reader indexed), duplicate IDs, records whose sector counts
// disagree or are 0, data lengths that skip into other records' bytes, starts
// at odd offsets and files cut short anywhere. Both must give the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "image/d88_image.h"
#include "image/file_reader.h"
#include "image/d88_image.h"
#include "image/record_index.h"
#include "samples/d88_builder.h"
#include "samples/hostile_images.h"
#include "support/reference_search.h"
#include "support/run_tool.h"
#include "support/test_folder.h"

// Names the limits in test listings instead of dumping their bytes.
inline void PrintTo(const RecordIndex::Limits& limits, std::ostream* out) {
    *out << "steps " << limits.readingSteps << ", bytes " << limits.readingBytes << ", listing "
         << limits.listingLimit;
}

namespace queltests {
using namespace d88build;
namespace {

using Random = std::mt19937;

constexpr uint8_t kCanary = 0xA5;
constexpr int32_t kLargestRead = 70000;
// Bytes past `maxLen` that must stay untouched too.
constexpr size_t kGuardBytes = 64;

int uniform(Random& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool oneIn(Random& random, int n) {
    return uniform(random, 1, n) == 1;
}

// IDs come from a small alphabet, so that tracks hold the same ID more than once
// and searches for IDs that are absent are common too.
SectorId randomId(Random& random) {
    return {
        static_cast<uint8_t>(uniform(random, 0, 2)), static_cast<uint8_t>(uniform(random, 0, 1)),
        static_cast<uint8_t>(uniform(random, 0, 6)), static_cast<uint8_t>(uniform(random, 0, 2))};
}

// Mostly small counts, so that walks end at many different places; sometimes 0,
// sometimes the largest.
uint16_t randomCount(Random& random) {
    if (oneIn(random, 40)) {
        return 0;
    }
    if (oneIn(random, 8)) {
        return 65535;
    }
    return static_cast<uint16_t>(uniform(random, 1, 60));
}

uint16_t randomLength(Random& random, bool zeroLengthRecords) {
    if (zeroLengthRecords || oneIn(random, 3)) {
        return 0;
    }
    const int lengths[] = {1, 15, 16, 128, 256, 300};
    return static_cast<uint16_t>(lengths[uniform(random, 0, 5)]);
}

struct GeneratedImage {
    Bytes file;
    std::vector<uint32_t> recordStarts;  // offsets of the records laid out in order
};

// A disk header followed by one sequence of records. Every record's data is
// random bytes, so a start or a skip that lands inside it reads them as a header.
GeneratedImage generateRecords(Random& random, bool zeroLengthRecords) {
    GeneratedImage image;
    image.file.assign(kHeaderSize, 0);
    const int records = zeroLengthRecords ? uniform(random, 200, 3000) : uniform(random, 1, 120);
    for (int i = 0; i < records; ++i) {
        image.recordStarts.push_back(static_cast<uint32_t>(image.file.size()));
        const SectorId id = randomId(random);
        const uint16_t length = randomLength(random, zeroLengthRecords);
        Record record{id.c, id.h, id.r, id.n, randomCount(random), Bytes(length), std::nullopt};
        for (uint8_t& byte : record.data) {
            byte = static_cast<uint8_t>(uniform(random, 0, 255));
        }
        appendRecord(image.file, record);
    }
    return image;
}

// A track-table entry: mostly a record's start, sometimes an odd offset, 0, the
// size field itself, past the size field, or negative.
uint32_t randomEntry(Random& random, const GeneratedImage& image, uint32_t sizeField) {
    switch (uniform(random, 0, 9)) {
        case 0:
            return 0;
        case 1:
            return static_cast<uint32_t>(uniform(random, 1, static_cast<int>(image.file.size())));
        case 2:
            return sizeField;
        case 3:
            return sizeField + 1;
        case 4:
            return 0xFFFFFFFFu;
        default:
            return image.recordStarts[static_cast<size_t>(
                uniform(random, 0, static_cast<int>(image.recordStarts.size()) - 1))];
    }
}

GeneratedImage generateImage(unsigned seed) {
    Random random(seed);
    GeneratedImage image = generateRecords(random, seed % 3 == 0);
    DiskHeader header;
    header.size =
        oneIn(random, 4)
            ? static_cast<uint32_t>(uniform(random, 0, static_cast<int>(image.file.size())))
            : static_cast<uint32_t>(image.file.size());
    for (uint32_t& entry : header.entries) {
        entry = randomEntry(random, image, header.size);
    }
    const Bytes headerFile = headerBytes(header);
    std::copy(headerFile.begin(), headerFile.end(), image.file.begin());
    if (oneIn(random, 3)) {
        image.file.resize(
            static_cast<size_t>(uniform(random, kHeaderSize, static_cast<int>(image.file.size()))));
    }
    return image;
}

struct Query {
    int track;
    SectorId id;
    int32_t maxLen;
};

// Half of the queries ask a track for one of its own sectors (C and H of the
// track, R from 1), as runs of sectors do, on the few tracks whose C and H the
// records carry; the rest ask anything.
Query randomQuery(Random& random) {
    const int32_t lengths[] = {1, 16, 128, 256, 1000, kLargestRead};
    const int32_t maxLen = lengths[uniform(random, 0, 5)];
    if (oneIn(random, 2)) {
        return {uniform(random, 0, kMaxTracks), randomId(random), maxLen};
    }
    const int track = uniform(random, 0, 5);
    SectorId id = randomId(random);
    id.c = static_cast<uint8_t>(track / 2);
    id.h = static_cast<uint8_t>(track % 2);
    return {track, id, maxLen};
}

// The queries of a run of the tool: a track's own C and H, R from the sector
// range, mostly size code 1.
Query toolQuery(Random& random) {
    const int track = uniform(random, 0, kMaxTracks - 1);
    const auto r = static_cast<uint8_t>(uniform(random, 1, 16));
    const auto n = static_cast<uint8_t>(oneIn(random, 4) ? 0 : 1);
    return {track, {static_cast<uint8_t>(track / 2), static_cast<uint8_t>(track % 2), r, n}, 256};
}

using QueryMaker = Query (*)(Random&);

// The image as the queries of one disk see it: the file and where the disk begins.
struct AskedDisk {
    const Bytes& file;
    uint64_t offset;
};

testing::AssertionResult sameSector(D88Image& image, const AskedDisk& disk, const Query& query) {
    Bytes dest(static_cast<size_t>(query.maxLen) + kGuardBytes, kCanary);
    const int32_t read = image.readSector(
        {query.track, query.id.c, query.id.h, query.id.r, query.id.n}, dest.data(), query.maxLen);
    Bytes expected;
    if (std::optional<uint64_t> start = referenceTrackStart(disk.file, disk.offset, query.track)) {
        expected = *referenceReadSector(disk.file, *start, query.id, query.maxLen);
    }
    const Bytes got(dest.begin(), dest.begin() + std::max(read, 0));
    const bool untouchedBeyond = std::all_of(dest.begin() + std::max(read, 0), dest.end(),
                                             [](uint8_t b) { return b == kCanary; });
    if (got == expected && untouchedBeyond) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "track " << query.track << " ID " << int(query.id.c) << "," << int(query.id.h) << ","
           << int(query.id.r) << "," << int(query.id.n) << " maxLen " << query.maxLen << ": read "
           << read << " bytes, the plain walk finds " << expected.size()
           << (untouchedBeyond ? "" : "; bytes past the count were written");
}

testing::AssertionResult sameRun(D88Image& image, const AskedDisk& disk, const Query& query,
                                 Random& random) {
    const int32_t length = uniform(random, 0, 5000);
    Bytes dest(static_cast<size_t>(length), kCanary);
    const int32_t read = image.readSectors(
        {query.track, query.id.c, query.id.h, query.id.r, query.id.n}, dest.data(), length);
    const RunStart start{query.track, query.id.c, query.id.h, query.id.r, query.id.n};
    const Bytes expected = *referenceReadSectors(disk.file, disk.offset, 1, 16, start, length);
    if (read == static_cast<int32_t>(expected.size()) &&
        std::equal(expected.begin(), expected.end(), dest.begin())) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "run from track " << query.track << " R " << int(query.id.r) << " of " << length
           << " bytes: read " << read << ", the plain walk reads " << expected.size();
}

// Record index limits that make it sweep the file at the first search, with
// listings cut short.
const RecordIndex::Limits kSweepAtOnce{0, 0, 5};

testing::AssertionResult sameListing(D88Image& image, const AskedDisk& disk, int track,
                                     int32_t limit) {
    const TrackListing got = image.listTrack(track);
    ReferenceListing expected;
    if (std::optional<uint64_t> start = referenceTrackStart(disk.file, disk.offset, track)) {
        expected = referenceListTrack(disk.file, *start, limit);
    }
    if (got.records == expected.records && got.sizeCodes == expected.sizeCodes) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "track " << track << " lists " << got.records
                                       << " records, the plain walk " << expected.records;
}

struct Asking {
    RecordIndex::Limits limits;
    QueryMaker makeQuery = randomQuery;
    int queries = 400;  // and a tenth as many runs of sectors, per disk
    std::vector<int> disks = {0};
};

// Opens the image afresh (a new index) and asks the queries of `order` of each
// disk in turn, then lists every track.
void expectSameAnswers(const Bytes& file, unsigned order, const Asking& asking) {
    D88Image image(asking.limits);
    ASSERT_TRUE(openInFreshFolder(image, file));
    Random random(order);
    for (int index : asking.disks) {
        if (index >= image.diskCount()) {
            continue;
        }
        ASSERT_TRUE(image.selectDisk(index));
        const AskedDisk disk{file, static_cast<uint64_t>(image.diskOffsetOf(index))};
        for (int q = 0; q < asking.queries; ++q) {
            ASSERT_TRUE(sameSector(image, disk, asking.makeQuery(random)));
        }
        for (int q = 0; q < asking.queries / 10; ++q) {
            ASSERT_TRUE(sameRun(image, disk, asking.makeQuery(random), random));
        }
        for (int track = 0; track < kMaxTracks; ++track) {
            ASSERT_TRUE(sameListing(image, disk, track, asking.limits.listingLimit));
        }
    }
}

constexpr unsigned kSeedsPerBlock = 50;
constexpr unsigned kSeedBlocks = 6;

// Each case is a block of image seeds, so that CTest runs the blocks side by side.
class SectorSearch : public testing::TestWithParam<unsigned> {};

TEST_P(SectorSearch, AnswersAsAPlainWalkOfTheTrack) {
    const unsigned first = GetParam() * kSeedsPerBlock + 1;
    for (unsigned seed = first; seed < first + kSeedsPerBlock; ++seed) {
        SCOPED_TRACE("image seed " + std::to_string(seed));
        const GeneratedImage generated = generateImage(seed);
        // Two orders of asking: the index must not depend on which walk came
        // first; and an index that sweeps the file at once.
        expectSameAnswers(generated.file, seed * 2, {});
        expectSameAnswers(generated.file, seed * 2 + 1, {});
        expectSameAnswers(generated.file, seed * 2, {kSweepAtOnce});
        if (HasFatalFailure()) {
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ImageSeeds, SectorSearch, testing::Range(0u, kSeedBlocks),
                         [](const testing::TestParamInfo<unsigned>& info) {
                             const unsigned first = info.param * kSeedsPerBlock + 1;
                             return "Seeds" + std::to_string(first) + "To" +
                                    std::to_string(first + kSeedsPerBlock - 1);
                         });

// Small versions of the images that cost the reader most, each a row, asked as
// the tool asks them on their first, second and last disks, by an index that
// reads them and one that sweeps them at once.
struct HostileKind {
    const char* name;
    Bytes (*make)();
};

void PrintTo(const HostileKind& row, std::ostream* out) {
    *out << row.name;
}

class HostileSectorSearch : public testing::TestWithParam<HostileKind> {};

TEST_P(HostileSectorSearch, AnswersAsAPlainWalkOfTheTrack) {
    const Bytes file = GetParam().make();
    for (const RecordIndex::Limits& limits : {RecordIndex::Limits{}, kSweepAtOnce}) {
        expectSameAnswers(file, 7, {limits, toolQuery, 60, {0, 1, 63}});
    }
}

WorstCaseRecipe smallWorstCase(bool runToEnd, size_t fileSize) {
    WorstCaseRecipe recipe;
    recipe.runToEnd = runToEnd;
    recipe.clusterSectorsAtEnd = runToEnd;
    recipe.otherDisksAllTracks = true;
    recipe.fileSize = fileSize;
    return recipe;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, HostileSectorSearch,
    testing::Values(
        HostileKind{"CountsEndEveryWalk",
                    [] { return worstCaseImage(smallWorstCase(false, 256 * 1024)); }},
        HostileKind{"EveryTrackOfEveryDiskOnOneRunToTheEnd",
                    [] { return worstCaseImage(smallWorstCase(true, 640 * 1024)); }},
        HostileKind{"FourGridsToTheEnd", [] { return fourGridImage(kHostileImageLimit - 16, true); }},
        HostileKind{"ByteGrids", [] { return byteGridImage(768 * 1024); }}),
    [](const testing::TestParamInfo<HostileKind>& info) { return info.param.name; });

// The bytes a found record gives: what the file holds of min(length, maxLen).
Bytes bytesOf(const Bytes& file, const SectorLocation& location, int32_t maxLen) {
    const uint64_t from = static_cast<uint64_t>(location.dataPosition);
    const uint64_t wanted = static_cast<uint64_t>(std::min(location.dataLength, maxLen));
    if (from >= file.size()) {
        return {};
    }
    const auto begin = file.begin() + static_cast<std::ptrdiff_t>(from);
    return Bytes(
        begin, begin + static_cast<std::ptrdiff_t>(std::min<uint64_t>(wanted, file.size() - from)));
}

// Walks that start at different records of one sequence, some on the tracks
// whose C and H its records carry: they meet, and share what was read of it.
std::vector<WalkStart> randomWalks(Random& random, const GeneratedImage& generated) {
    std::vector<WalkStart> walks;
    for (int w = 0; w < 12; ++w) {
        const uint32_t start = generated.recordStarts[static_cast<size_t>(
            uniform(random, 0, static_cast<int>(generated.recordStarts.size()) - 1))];
        walks.push_back({oneIn(random, 5) ? start + 4 : start, uniform(random, 0, 5)});
    }
    return walks;
}

// Every limit of the record index, each a row: searches that run out of records
// or bytes to read mid-walk (and then sweep), listings cut short. Walks outside
// the set are searched by reading.
class RecordIndexLimits : public testing::TestWithParam<RecordIndex::Limits> {};

TEST_P(RecordIndexLimits, AnswerAsAPlainWalk) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("image seed " + std::to_string(seed));
        const GeneratedImage generated = generateImage(seed);
        const std::string path = (freshTestFolder() / kImageName).string();
        ASSERT_TRUE(writeFile(path, generated.file));
        FileReader file;
        ASSERT_TRUE(file.open(path.c_str()));
        RecordIndex index(GetParam());
        Random random(seed);
        std::vector<WalkStart> walks = randomWalks(random, generated);
        index.setWalks(walks);
        walks.push_back({generated.recordStarts.front() + 16, 1});
        for (int q = 0; q < 300; ++q) {
            const WalkStart walk = walks[static_cast<size_t>(uniform(random, 0, 12))];
            const Query query = randomQuery(random);
            const auto start = static_cast<uint64_t>(walk.position);
            SectorLocation location;
            const Bytes found =
                index.find(file, walk, sectorId(query.id.c, query.id.h, query.id.r, query.id.n),
                           location)
                    ? bytesOf(generated.file, location, query.maxLen)
                    : Bytes{};
            ASSERT_EQ(found, *referenceReadSector(generated.file, start, query.id, query.maxLen))
                << "start " << start << " R " << int(query.id.r);
            const TrackListing listing = index.listing(file, walk);
            const ReferenceListing expected =
                referenceListTrack(generated.file, start, GetParam().listingLimit);
            ASSERT_EQ(listing.records, expected.records) << "start " << start;
            ASSERT_EQ(listing.sizeCodes, expected.sizeCodes) << "start " << start;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, RecordIndexLimits,
                         testing::Values(RecordIndex::Limits{0, 0, 1},
                                         RecordIndex::Limits{7, 1 << 20, 7},
                                         RecordIndex::Limits{1 << 20, 40000, 100},
                                         RecordIndex::Limits{}),
                         [](const testing::TestParamInfo<RecordIndex::Limits>& info) {
                             return "Steps" + std::to_string(info.param.readingSteps) +
                                    "Bytes" + std::to_string(info.param.readingBytes) +
                                    "Listing" + std::to_string(info.param.listingLimit);
                         });

}  // namespace
}  // namespace queltests
