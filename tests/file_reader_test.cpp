// The image file's reader: reads by position answer as the file's bytes do,
// whichever windows earlier reads left.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "image/file_reader.h"
#include "support/d88_builder.h"
#include "support/test_folder.h"

namespace d88build {
namespace {

// Reads that start near the edges of 16 KiB blocks (and so span two windows),
// of every length up to past a block, in an order that goes back and forth over
// more blocks than the reader keeps windows for, and past the file's end; then
// a longer file through the same reader.
TEST(FileReader, ReadsAnswerAsTheFileBytesInAnyOrder) {
    constexpr int64_t block = 16384;
    Bytes file(static_cast<size_t>(10 * block + 100));
    for (size_t i = 0; i < file.size(); ++i) {
        file[i] = static_cast<uint8_t>(i * 7 + i / 251);
    }
    const std::string path = (freshTestFolder() / "image.d88").string();
    ASSERT_TRUE(writeFile(path, file));
    FileReader reader;
    ASSERT_TRUE(reader.open(path.c_str()));
    std::mt19937 random(1);
    const size_t counts[] = {1, 16, 100, 16384, 16385, 40000};
    for (int q = 0; q < 3000; ++q) {
        const int64_t edge = std::uniform_int_distribution<int64_t>(0, 11)(random) * block;
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
    file.resize(file.size() + 2 * block, 0x5A);
    ASSERT_TRUE(writeFile(path, file));
    ASSERT_TRUE(reader.open(path.c_str()));
    uint8_t last[2] = {};
    EXPECT_EQ(reader.readAt(static_cast<int64_t>(file.size()) - 1, last, 2), 1u);
    EXPECT_EQ(last[0], 0x5A);
}

}  // namespace
}  // namespace d88build
