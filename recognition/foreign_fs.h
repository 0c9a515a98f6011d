#ifndef QUELT_RECOGNITION_FOREIGN_FS_H
#define QUELT_RECOGNITION_FOREIGN_FS_H

#include <cstdint>
#include <string>

#include "image/d88_image.h"

// What a disk of another system is, told by the companions when its directory
// is not this file system's. A system is named only when two of its structures
// agree (a boot sector and the disk's geometry, a table and the directory whose
// files it chains), so that a few bytes that happen to look right name nothing.
// Identification only: no foreign file is listed or copied.

enum class ForeignSystem { none, fat12, huBasic, fBasic, n88Basic, bootRecord };

// The machine whose boot record is recognised, as the listings name it.
constexpr char bootRecordKind[] = "X1";

// A program's boot record on a disk with no file system: what it loads.
struct BootProgram {
    std::string name;  // its bytes, trailing spaces cut
    int32_t size = 0;
    int32_t loadAddress = 0;
    int32_t runAddress = 0;
};

struct ForeignFileSystem {
    ForeignSystem system = ForeignSystem::none;
    int32_t files = 0;           // entries that hold a file (FAT12: of the root directory)
    int32_t deletedEntries = 0;  // FAT12: entries marked deleted
    std::string volumeLabel;     // FAT12: its bytes, trailing spaces cut; may be empty
    int32_t fatCopies = 0;       // FAT12
    bool fatCopiesDiffer = false;
    BootProgram boot;            // bootRecord only
};

// Identifies the selected disk by every rule in turn; system none when no rule
// holds. Reads sectors by their track and sector numbers, whatever cylinder and
// head their IDs carry; touches neither workBuffer nor the directory tables.
ForeignFileSystem identifyForeignFileSystem(D88Image& image);

// "FAT12", "Hu-BASIC", "F-BASIC", "N88-BASIC"; for a boot record, the kind of
// boot record ("X1 boot record"); nullptr for none.
const char* foreignSystemName(ForeignSystem system);

#endif
