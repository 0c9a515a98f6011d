// The image file's reader: reads by position answer as the file's bytes do,
// whichever windows earlier reads left.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "image/byte_source.h"
#include "image/d88_image.h"
#include "image/file_reader.h"
#include "image/stream_copy.h"
#include "samples/d88_builder.h"
#include "support/test_folder.h"

namespace queltests {
using namespace d88build;
namespace {

constexpr int64_t block = 16384;

// Bytes no two nearby positions share.
Bytes patternedFile(size_t size) {
    Bytes file(size);
    for (size_t i = 0; i < file.size(); ++i) {
        file[i] = static_cast<uint8_t>(i * 7 + i / 251);
    }
    return file;
}

// Memory read as a stream, `piece` bytes at most a read, as a pipe gives them;
// after `size` bytes it ends, or with `endless` goes on with zeros.
class MemoryStream : public SequentialInput {
public:
    MemoryStream(const Bytes& bytes, size_t piece, bool endless = false)
        : bytes_(bytes), piece_(piece), endless_(endless) {}
    size_t read(uint8_t* dest, size_t count) override {
        if (endless_) {
            return count;  // the bytes are whatever dest held: only their count is checked
        }
        const size_t got = std::min({count, piece_, bytes_.size() - at_});
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), got, dest);
        at_ += got;
        // A short read is the end, as for a stream read to its end.
        return got == count || at_ == bytes_.size() ? got : got + read(dest + got, count - got);
    }
    bool failed() const override { return false; }

private:
    const Bytes& bytes_;
    size_t piece_;
    bool endless_;
    size_t at_ = 0;
};

// Takes the bytes in order, as a program's hashes do.
class Collector : public ByteObserver {
public:
    void take(const uint8_t* bytes, size_t count) override {
        taken.insert(taken.end(), bytes, bytes + count);
    }
    Bytes taken;
};

// Counts the bytes, as a pass over a stream cut off needs no more.
class Counter : public ByteObserver {
public:
    void take(const uint8_t*, size_t count) override { counted += static_cast<int64_t>(count); }
    int64_t counted = 0;
};

enum class SourceKind { file, memory, stream };

class ReaderSource : public testing::TestWithParam<SourceKind> {
protected:
    // Opens `reader` on `file` as the row's kind of source.
    void open(FileReader& reader, const Bytes& file) {
        // Windows cannot remove the folder of a file that is still open.
        reader.close();
        switch (GetParam()) {
        case SourceKind::file: {
            const std::string path = (freshTestFolder() / "image.d88").string();
            ASSERT_TRUE(writeFile(path, file));
            ASSERT_TRUE(reader.open(path.c_str()));
            break;
        }
        case SourceKind::memory:
            ASSERT_TRUE(reader.open(
                std::unique_ptr<ByteSource>(new MemorySource(file.data(), file.size()))));
            break;
        case SourceKind::stream:
            ASSERT_TRUE(reader.open(
                StreamCopy::over(std::unique_ptr<SequentialInput>(new MemoryStream(file, 5000)))));
            break;
        }
    }
};

// Reads that start near the edges of 16 KiB blocks (and so span two windows),
// of every length up to past a block, in an order that goes back and forth over
// more blocks than the reader keeps windows for, and past the file's end.
TEST_P(ReaderSource, ReadsAnswerAsTheFileBytesInAnyOrder) {
    const Bytes file = patternedFile(static_cast<size_t>(40 * block + 100));
    FileReader reader;
    open(reader, file);
    std::mt19937 random(1);
    const size_t counts[] = {1, 16, 100, 16384, 16385, 40000};
    for (int q = 0; q < 3000; ++q) {
        const int64_t edge = std::uniform_int_distribution<int64_t>(0, 41)(random) * block;
        const int64_t position =
            std::max<int64_t>(0, edge + std::uniform_int_distribution<int64_t>(-40, 40)(random));
        const size_t count = counts[random() % std::size(counts)];
        std::vector<uint8_t> got(count);
        const size_t read = reader.readAt(position, got.data(), count);
        const size_t from = std::min(file.size(), static_cast<size_t>(position));
        const size_t expected = std::min(count, file.size() - from);
        ASSERT_EQ(read, expected) << "at " << position << ", " << count << " bytes";
        ASSERT_TRUE(std::equal(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(read),
                               file.begin() + static_cast<std::ptrdiff_t>(from)))
            << "at " << position << ", " << count << " bytes";
    }
    // The next file opened by the same reader is read to its own end.
    Bytes longer = file;
    longer.resize(file.size() + 2 * block, 0x5A);
    open(reader, longer);
    uint8_t last[2] = {};
    EXPECT_EQ(reader.readAt(static_cast<int64_t>(longer.size()) - 1, last, 2), 1u);
    EXPECT_EQ(last[0], 0x5A);
}

// An observer takes every byte once, in order, whatever the reads before the
// last pass were (some behind it, some far ahead), and the pass finds the end.
TEST_P(ReaderSource, ObserverTakesEveryByteOnceInOrder) {
    const Bytes file = patternedFile(static_cast<size_t>(50 * block + 77));
    FileReader reader;
    open(reader, file);
    Collector collector;
    reader.observeInOrder(&collector);
    uint8_t bytes[4096];
    const int64_t positions[] = {0, 30 * block, block - 8, 2 * block, 45 * block + 3, 3 * block};
    for (int64_t position : positions) {
        reader.readAt(position, bytes, sizeof bytes);
    }
    const PassEnd end = reader.finishInOrder();
    EXPECT_EQ(end.length, static_cast<int64_t>(file.size()));
    EXPECT_FALSE(end.cutOff);
    EXPECT_FALSE(end.failed);
    EXPECT_TRUE(collector.taken == file);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReaderSource,
                         testing::Values(SourceKind::file, SourceKind::memory, SourceKind::stream),
                         [](const testing::TestParamInfo<SourceKind>& info) {
                             return std::string(info.param == SourceKind::file     ? "File"
                                                : info.param == SourceKind::memory ? "Memory"
                                                                                   : "Stream");
                         });

// A stream longer than an image can be: its copy holds only what was read, and
// the pass counts on to the largest offset and says it was cut off there.
TEST(StreamCopy, StreamLongerThanAnImageIsCutOff) {
    const Bytes none;
    std::unique_ptr<StreamCopy> source =
        StreamCopy::over(std::unique_ptr<SequentialInput>(new MemoryStream(none, 0, true)));
    ASSERT_TRUE(source);
    uint8_t header[688];
    EXPECT_EQ(source->readAt(0, header, sizeof header), sizeof header);
    EXPECT_EQ(source->knownLength(), -1);
    Counter counter;
    const PassEnd end = source->passOnward(sizeof header, counter);
    EXPECT_EQ(end.length, largestImageOffset);
    EXPECT_TRUE(end.cutOff);
    EXPECT_EQ(counter.counted, largestImageOffset - static_cast<int64_t>(sizeof header));
}

// An image read from memory answers as the same bytes in a file: the index,
// the headers (write protection included) and a sector.
TEST(D88ImageSource, ImageInMemoryReadsAsItsFile) {
    Disk first(2, 1), second(2, 2);
    Bytes secondBytes = second.bytes();
    secondBytes[26] = 0x10;  // write-protected
    const Bytes image = concat({first.bytes(), secondBytes});
    D88Image fromFile, fromMemory;
    ASSERT_TRUE(openInFreshFolder(fromFile, image));
    ASSERT_TRUE(
        fromMemory.open(std::unique_ptr<ByteSource>(new MemorySource(image.data(), image.size()))));
    ASSERT_EQ(fromMemory.diskCount(), 2);
    EXPECT_EQ(fromMemory.knownFileLength(), static_cast<int64_t>(image.size()));
    for (int32_t disk = 0; disk < 2; ++disk) {
        ASSERT_TRUE(fromFile.selectDisk(disk));
        ASSERT_TRUE(fromMemory.selectDisk(disk));
        EXPECT_EQ(fromMemory.writeProtect(), disk == 1 ? 0x10 : 0);
        uint8_t a[256] = {}, b[256] = {};
        EXPECT_EQ(fromMemory.readSector({3, 1, 1, 5, 1}, a, 256), 256);
        EXPECT_EQ(fromFile.readSector({3, 1, 1, 5, 1}, b, 256), 256);
        EXPECT_EQ(std::memcmp(a, b, 256), 0);
    }
    EXPECT_FALSE(fromMemory.isImageFile("image.d88"));
}

}  // namespace
}  // namespace queltests
