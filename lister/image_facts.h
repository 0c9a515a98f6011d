#ifndef QUELT_LISTER_IMAGE_FACTS_H
#define QUELT_LISTER_IMAGE_FACTS_H

#include <cstdint>
#include <string>
#include <vector>

#include "gamefs/game_fs.h"
#include "lister/hashes.h"
#include "lister/header_check.h"
#include "lister/role_picks.h"

// Everything quelt-ls says of one image file, gathered once (gather_facts.h) and
// rendered as the text listing, the summary or JSON Lines: no rendering reads
// the image.

// Where the directory stands: what quelt's recognition reads is the same either
// way; the listing judges only whether the entries are this file system's.
enum class DirectoryState { unreadable, thisFileSystem, notThisFileSystem };

// What stands in the way of reading a file whole or finding it by name.
struct EntryWarnings {
    int32_t loopsBackTo = -1;     // the cluster the chain came back to; -1: no loop
    int32_t absentCluster = -1;   // the first cluster on a track the disk lacks
    int32_t absentTrack = -1;
    int32_t clustersNeeded = 0;   // set when the chain is shorter than the size needs
    bool nameRunsOn = false;      // an 8-character name without a 0 after it
};

struct EntryFacts {
    int32_t slot = 0;
    uint8_t bytes[directoryEntrySize] = {};  // the entry as it lies on the disk
    std::string name;                        // its name's bytes, up to the first 0
    int32_t size = 0;
    int32_t firstCluster = 0;
    std::vector<int32_t> chain;  // the clusters in chain order
    EntryWarnings warnings;
    Hashes hashes;  // of the file as quelt-cp writes it; only on this file system
};

struct TrackFacts {
    // Whole in the file / begun but cut off by the file's end.
    int32_t present = 0;
    std::vector<int32_t> cutShort;
    // Below the highest track the table names, absent or past the file's end.
    std::vector<int32_t> missing;
    int32_t fewestRecords = 0;  // of the tracks that can be read; 0 when none
    int32_t mostRecords = 0;
    std::vector<int32_t> sizeCodes;  // the size codes N the ID fields hold, rising
};

struct DiskFacts {
    int32_t number = 0;  // from 1, as quelt counts disks
    int64_t offset = 0;
    bool headerRead = false;
    uint32_t size = 0;          // the header's size field, unsigned
    int64_t bytesMissing = 0;   // how far the disk runs past the file's end
    std::string name;           // the header's name bytes, up to the first 0
    int32_t media = 0;
    int32_t writeProtect = -1;  // the header's byte; -1 when not read
    TrackFacts tracks;
    bool demoSignature = false;
    DirectoryState directory = DirectoryState::unreadable;
    std::string foreignReason;  // why the directory is not this file system's
    int32_t usedEntries = 0;
    bool listsStartup = false;
    bool listsBgmscore = false;
    std::vector<EntryFacts> entries;  // the used entries, in slot order
    Hashes hashes;                    // of the disk's bytes the file holds
};

struct ImageFacts {
    std::string path;
    std::string member;     // the archive member's name; empty for a file
    int64_t fileSize = -1;  // -1 when not known
    // Where a stream longer than an image can be was cut off; -1 when it was not.
    int64_t cutOffAt = -1;
    // A read failed: the facts are of the bytes before it, and not to be listed.
    bool readFailed = false;
    // What the file is when it is no D88 image but a compressed or archived
    // form (archive/compressed_forms.h): "gzip data"; empty otherwise.
    std::string form;
    HeaderFault fault = HeaderFault::none;
    uint32_t firstSize = 0;  // disk 1's size field and media byte, which a fault names
    int32_t firstMedia = 0;
    Hashes hashes;
    std::vector<DiskFacts> disks;
    RolePicks picks;

    bool isD88() const { return fault == HeaderFault::none; }
};

#endif
