#include "copier/file_selection.h"

#include <string>

#include "names/name_text.h"
#include "copier/copy_messages.h"
#include "names/name_pattern.h"
#include "gamefs/game_fs.h"
#include "tool/console/console.h"

namespace {
bool matchesPattern(const char* pattern, const DirectoryEntry& entry) {
    std::string bytes = entryName(entry);
    return patternMatches(pattern, listedNameText(bytes, NameForm::escaped)) ||
           patternMatches(pattern, listedNameText(bytes, NameForm::utf8));
}

bool selectMatches(const CopyRequest& request, std::vector<std::size_t>& entries) {
    for (std::size_t i = 0; i < directoryEntries; ++i) {
        if (entryInUse(directoryTable[i]) && matchesPattern(request.name, directoryTable[i])) {
            entries.push_back(i);
        }
    }
    if (entries.empty()) {
        printErrorFormatted(noMatchFormat, request.disk, request.name);
    }
    return !entries.empty();
}

bool selectNamed(const CopyRequest& request, std::vector<std::size_t>& entries) {
    for (const std::string& wanted : bytesOfTypedName(request.name)) {
        // An empty name would match an unused entry; a 0 byte would end the name early.
        bool possible = !wanted.empty() && wanted.find('\0') == std::string::npos;
        int32_t index = possible ? findEntryToLoad(wanted.c_str()) : -1;
        if (index >= 0) {
            entries.push_back(static_cast<std::size_t>(index));
            return true;
        }
    }
    printErrorFormatted(noSuchFileFormat, request.disk, request.name);
    return false;
}
}  // namespace

bool mayCopySeveral(const CopyRequest& request) {
    return request.name == nullptr || isNamePattern(request.name);
}

bool selectEntries(const CopyRequest& request, std::vector<std::size_t>& entries) {
    if (request.name == nullptr) {
        for (std::size_t i = 0; i < directoryEntries; ++i) {
            if (entryInUse(directoryTable[i])) {
                entries.push_back(i);
            }
        }
        return true;
    }
    return isNamePattern(request.name) ? selectMatches(request, entries)
                                       : selectNamed(request, entries);
}
