// The real D88 and D77 images kept beside the repository (used where they lie,
// never copied into it). None of them holds the software set, so quelt must open
// each, say that no main disk was found, end with status 1 and write nothing.
// Skipped where the folder is absent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "support/run_tool.h"
#include "tool/messages.h"

namespace queltests {
namespace {

namespace fs = std::filesystem;

bool isImageName(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".d88" || extension == ".d77";
}

std::vector<fs::path> realImages() {
    std::vector<fs::path> images;
    const fs::path folder = QUELT_REAL_IMAGES;
    if (fs::is_directory(folder)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.is_regular_file() && isImageName(entry.path())) {
                images.push_back(fs::absolute(entry.path()));
            }
        }
    }
    std::sort(images.begin(), images.end());
    return images;
}

TEST(RealImages, EachOpensAndHasNoMainDisk) {
    const std::vector<fs::path> images = realImages();
    if (images.empty()) {
        // Only a checkout with the licensed images beside it, in ../shared, has any.
        GTEST_SKIP() << "no real images beside the checkout: no .d88 or .d77 file in "
                     << fs::path(QUELT_REAL_IMAGES).lexically_normal().string();
    }
    for (const fs::path& image : images) {
        SCOPED_TRACE(image.filename().string());
        // The image is named by its own path; the work folder holds only an empty
        // file of the harness's, which is not counted among the outputs.
        const ToolRun run = runInFreshFolder(QUELT_PROGRAM, {}, {image.string()});
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, asTextStream(noMainDiskMessage));
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.files.empty());
    }
}

}  // namespace
}  // namespace queltests
