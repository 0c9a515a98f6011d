// The files below a folder, for -r, in the order of their names.
#include "lister/folder_walk.h"

#include <algorithm>
#include <vector>

#include "companion/file_kind.h"
#include "companion/native_path.h"
#include "lister/folder_entries.h"

bool isFolder(const std::string& path) {
    return fileKindOf(path) == FileKind::folder;
}

void walkFolder(const std::string& folder, const std::function<void(const std::string&)>& onFile,
                const std::function<void(const std::string&, const std::string&)>& onError) {
    std::vector<FolderEntry> entries;
    std::string why;
    if (!readFolder(folder, entries, why)) {
        onError(folder, why);
        return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    for (const FolderEntry& entry : entries) {
        const std::string path = pathInFolder(folder, entry.name);
        if (entry.kind == FolderEntry::Kind::folder) {
            walkFolder(path, onFile, onError);
        } else if (entry.kind == FolderEntry::Kind::file) {
            onFile(path);
        }
    }
}
