// The files a run left, at any depth. The C library of the Windows build reads
// folders only within 260 characters of their full path, so on Windows the
// tree is read and removed through Windows' own calls and extended-length
// paths ("\\?\C:\..."), which reach past that; elsewhere std::filesystem does.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "samples/d88_builder.h"

namespace queltests {
using namespace d88build;

// Calls `onFile` for every regular file below `folder` with its path relative
// to the folder, / between the names, in UTF-8 on Windows, and its bytes.
void forEachFileBelow(const std::filesystem::path& folder,
                      const std::function<void(const std::string&, const Bytes&)>& onFile);

// Writes `bytes` as the file `relative` (/ between the names) below `folder`,
// making the folders it lies in. False when it cannot.
bool writeFileBelow(const std::filesystem::path& folder, const std::string& relative,
                    const Bytes& bytes);

// Removes `folder` and all it holds; what cannot be removed stays.
void removeTree(const std::filesystem::path& folder);

// `top`, then seven folders down, one of them named with 100 characters (/
// between the names): past the 260 characters Windows' calls take by default.
std::string deepFolder(const std::string& top);

// `path` with \ for each /, as Windows writes it.
std::string windowsPath(std::string path);

}  // namespace queltests
