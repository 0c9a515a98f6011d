// The files below a folder, for -r, in the order of their names.
#include "lister/folder_walk.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {
// The path in UTF-8 on Windows, as the programs' paths are, its bytes elsewhere;
// with / between folders on every system, so that listings compare.
std::string pathText(const fs::path& path) {
    return path.generic_u8string();
}

void walk(const fs::path& folder, const std::function<void(const std::string&)>& onFile,
          const std::function<void(const std::string&, const std::string&)>& onError) {
    std::error_code error;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(*it);
    }
    if (error) {
        onError(pathText(folder), error.message());
        return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) {
                  return a.path().filename() < b.path().filename();
              });
    for (const fs::directory_entry& entry : entries) {
        std::error_code typeError;
        if (entry.is_directory(typeError) && !entry.is_symlink(typeError)) {
            walk(entry.path(), onFile, onError);
        } else if (entry.is_regular_file(typeError)) {
            onFile(pathText(entry.path()));
        }
    }
}
}  // namespace

bool isFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(fs::u8path(path), error);
}

void walkFolder(const std::string& folder, const std::function<void(const std::string&)>& onFile,
                const std::function<void(const std::string&, const std::string&)>& onError) {
    walk(fs::u8path(folder), onFile, onError);
}
