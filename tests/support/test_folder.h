// Folders for the tests' files. Each test process works in a root folder of its
// own under the system's temporary folder, so that runs of the suite at once (two
// build trees, two users, CTest's parallel processes) never share a path. The
// root is removed when the process's tests passed and kept, with its path
// printed, when one failed.
#pragma once

#include <filesystem>
#include <string>

namespace d88build {

// A fresh, empty folder for the running test (named after it) in the process's
// root; `suffix` tells apart several folders of one test.
std::filesystem::path freshTestFolder(const std::string& suffix = "");

}  // namespace d88build
