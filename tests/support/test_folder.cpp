#include "support/test_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <system_error>

#include "samples/d88_builder.h"
#include "support/file_tree.h"
#include "support/run_tool.h"

namespace queltests {
using namespace d88build;

namespace fs = std::filesystem;

namespace {

constexpr int kRootAttempts = 100;

// Made when the process's first test asks for a folder; reset once removed.
std::optional<fs::path> processRoot;

// Making the folder is what claims its name: create_directory fails on a name
// that exists, so no two processes share a root whatever names they draw. The
// clock is mixed in where random_device gives the same numbers in every process.
fs::path makeProcessRoot() {
    std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < kRootAttempts; ++attempt) {
        const fs::path root =
            fs::temp_directory_path() / ("quelt-tests-" + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(root, error)) {
            return root;
        }
    }
    require(false, "cannot make a folder of this process under the temporary folder");
    return {};
}

// Runs after the process's last test, when its results are known.
class RootCleanup : public testing::Environment {
public:
    void TearDown() override {
        if (!processRoot) {
            return;
        }
        if (testing::UnitTest::GetInstance()->Passed()) {
            removeTree(*processRoot);
            processRoot.reset();
        } else {
            std::printf("The failed tests' folders are kept in %s\n",
                        processRoot->string().c_str());
        }
    }
};

[[maybe_unused]] testing::Environment* const rootCleanup =
    testing::AddGlobalTestEnvironment(new RootCleanup);

}  // namespace

fs::path freshTestFolder(const std::string& suffix) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name() + suffix;
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    if (!processRoot) {
        processRoot = makeProcessRoot();
    }
    const fs::path folder = *processRoot / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

bool openInFreshFolder(D88Image& reader, const Bytes& image) {
    reader.close();
    const std::string path = (freshTestFolder() / kImageName).string();
    return writeFile(path, image) && reader.open(path.c_str());
}

}  // namespace queltests
