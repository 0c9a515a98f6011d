// Whether a directory that could be read is this file system's (see the header).
#include "lister/directory_rule.h"

#include "gamefs/game_fs.h"

namespace {
// Bytes below a space and DEL are control codes, which no name is typed with.
bool nameByte(uint8_t byte) {
    return byte >= 0x20 && byte != 0x7F;
}

bool nameEnds(const EntryFacts& entry) {
    for (std::size_t i = 0; i <= entryNameBytes; ++i) {
        if (entry.bytes[i] == 0) {
            return true;
        }
        if (!nameByte(entry.bytes[i])) {
            return false;
        }
    }
    return false;
}

bool plausible(const EntryFacts& entry) {
    return nameEnds(entry) && entry.warnings.loopsBackTo < 0;
}

}  // namespace

std::string foreignDirectoryReason(const std::vector<EntryFacts>& entries) {
    if (entries.empty()) {
        return "";
    }
    if (directoryHoldsOnlyFill()) {
        return "every used entry is one byte repeated";
    }
    std::size_t plausibleCount = 0;
    for (const EntryFacts& entry : entries) {
        plausibleCount += plausible(entry) ? 1 : 0;
    }
    if (plausibleCount * 2 >= entries.size()) {
        return "";
    }
    return "only " + std::to_string(plausibleCount) + " of " + std::to_string(entries.size()) +
           " used entries have a name that ends and a chain that ends";
}
