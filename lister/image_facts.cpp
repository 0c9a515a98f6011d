#include "lister/image_facts.h"

const EntryFacts* DiskFacts::entryInSlot(int32_t slot) const {
    for (const EntryFacts& entry : entries) {
        if (entry.slot == slot) {
            return &entry;
        }
    }
    return nullptr;
}

bool ImageFacts::queltCompletes() const {
    return picks.mainDisk != noDisk && picks.scenarioDisk != noDisk;
}
