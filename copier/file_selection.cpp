#include "copier/file_selection.h"

#include <string>

#include "companion/console.h"
#include "companion/diagnostics.h"
#include "copier/copy_messages.h"
#include "gamefs/game_fs.h"
#include "names/escapes.h"
#include "names/typed_names.h"

namespace {
std::vector<std::size_t> usedEntries() {
    std::vector<std::size_t> entries;
    for (std::size_t i = 0; i < directoryEntries; ++i) {
        if (entryInUse(directoryTable[i])) {
            entries.push_back(i);
        }
    }
    return entries;
}

DiskNames namesOf(const std::vector<std::size_t>& entries) {
    std::vector<std::string> names;
    for (std::size_t index : entries) {
        names.push_back(entryName(directoryTable[index]));
    }
    return DiskNames(names);
}

bool selectMatches(const CopyRequest& request, std::vector<std::size_t>& entries) {
    const std::vector<std::size_t> used = usedEntries();
    for (std::size_t i : namesOf(used).matching(request.name)) {
        entries.push_back(used[i]);
    }
    if (entries.empty()) {
        fail(request.image, formatted(noMatchFormat, request.disk,
                        pathForLine(request.name).c_str()));
    }
    return !entries.empty();
}

// Says why NAME finds no file: a "~N" past the files written under its stem is told.
void reportNoSuchFile(const CopyRequest& request, int writtenAsStem) {
    const std::string shown = pathForLine(request.name);
    if (writtenAsStem > 0) {
        const std::string stem = shown.substr(0, shown.rfind('~'));
        fail(request.image, formatted(noSuchCopyNumberFormat, request.disk,
                        shown.c_str(), writtenAsStem, stem.c_str()));
    } else {
        fail(request.image, formatted(noSuchFileFormat, request.disk, shown.c_str()));
    }
}

bool selectNamed(const CopyRequest& request, std::vector<std::size_t>& entries) {
    const std::vector<std::size_t> used = usedEntries();
    const NamedFile named = namesOf(used).fileNamed(request.name);
    if (named.file < 0) {
        reportNoSuchFile(request, named.writtenAsStem);
        return false;
    }
    entries.push_back(used[static_cast<std::size_t>(named.file)]);
    return true;
}
}  // namespace

bool mayCopySeveral(const CopyRequest& request) {
    return request.name == nullptr || isNamePattern(request.name);
}

bool selectEntries(const CopyRequest& request, std::vector<std::size_t>& entries) {
    if (request.name == nullptr) {
        entries = usedEntries();
        return true;
    }
    return isNamePattern(request.name) ? selectMatches(request, entries)
                                       : selectNamed(request, entries);
}
