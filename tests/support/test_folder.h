// Folders for the tests' files. Each test process works in a root folder of its
// own under the system's temporary folder, so that runs of the suite at once (two
// build trees, two users, CTest's parallel processes) never share a path. The
// root is removed when the process's tests passed and kept, with its path
// printed, when one failed.
#pragma once

#include <filesystem>
#include <string>

#include "image/d88_image.h"
#include "samples/d88_builder.h"

namespace queltests {
using namespace d88build;

// A fresh, empty folder for the running test (named after it) in the process's
// root; `suffix` tells apart several folders of one test.
std::filesystem::path freshTestFolder(const std::string& suffix = "");

// Writes `image` into a fresh folder of the running test and opens it with
// `reader`, which first closes what it held: Windows cannot remove the folder of
// a file that is still open. False when the file cannot be written or opened.
bool openInFreshFolder(D88Image& reader, const Bytes& image);

}  // namespace queltests
