#ifndef QUELT_LISTER_IMAGE_FACTS_H
#define QUELT_LISTER_IMAGE_FACTS_H

#include <cstdint>
#include <string>
#include <vector>

#include "gamefs/game_fs.h"
#include "lister/hashes.h"
#include "lister/role_picks.h"
#include "names/member_names.h"
#include "recognition/directory_verdict.h"
#include "recognition/foreign_fs.h"
#include "recognition/header_check.h"
#include "recognition/set_files.h"

// Everything quelt-ls says of one image file, gathered once (gather_facts.h) and
// rendered as the text listing, the summary or JSON Lines: no rendering reads
// the image.

// Why the first read of a file's load that came up short did: its sector lies
// on a track the disk lacks, past the end of the file or cut off by it, or the
// track is whole and the sector is missing or short.
enum class ReadTrouble { none, absentTrack, trackPastFileEnd, trackCutShort, unreadableSector };

// What stands in the way of reading a file whole or finding it by name.
struct EntryWarnings {
    int32_t loopsBackTo = -1;     // the cluster the chain came back to; -1: no loop
    ReadTrouble trouble = ReadTrouble::none;
    int32_t troubleCluster = -1;  // the cluster that read started at
    SectorAddress troubleSector = {};  // the sector it stopped at
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
    // Whether the load read every byte, so that quelt-cp copies it without a
    // warning; loops and read troubles make it false.
    bool whole = true;
    // Of the file as quelt-cp writes it (zeros where it could not be read); only
    // on this file system.
    Hashes hashes;
};

// A track whose first record names more sectors than the track stores.
struct ShortTrack {
    int32_t track = 0;
    int32_t stored = 0;
    int32_t named = 0;
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
    std::vector<ShortTrack> shortTracks;  // of the tracks that can be read
};

// What quelt's loads by name find on a disk: the slot of the entry each loads
// (-1: none), and the music table as it lies after "startup" is loaded.
struct QueltLoads {
    int32_t startup = -1;
    int32_t sudData = -1;
    int32_t bgmscore = -1;
    uint8_t musicTable[musicTableSize] = {};
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
    DirectoryVerdict directory;
    // What the disk is when its directory is not this file system's.
    ForeignFileSystem fileSystem;
    bool listsStartup = false;
    bool listsBgmscore = false;
    std::vector<EntryFacts> entries;  // the used entries, in slot order
    QueltLoads loads;
    Hashes hashes;                    // of the disk's bytes the file holds

    // Whether the file holds every byte of the disk (else it is cut short).
    bool whole() const { return bytesMissing == 0; }
    // Whether the entries are listed: those of this file system, and with
    // --raw those of another's.
    bool entriesListed(bool raw) const {
        return raw || directory.state != DirectoryState::notThisFileSystem;
    }
    // The entry in `slot`, or nullptr when that slot is not in use.
    const EntryFacts* entryInSlot(int32_t slot) const;
};

struct ImageFacts {
    std::string path;
    MemberName member;      // the archive member's name; empty for a file
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
    // Why the file is no D88 image: its form, or what its first header says;
    // empty for an image.
    std::string notD88Reason;
    Hashes hashes;
    // Whether the disks were gathered (a D88 image, or any file with --raw); the
    // picks and damaged outputs are quelt's verdict only then.
    bool disksGathered = false;
    std::vector<DiskFacts> disks;
    RolePicks picks;
    // The files quelt would write from bytes it could not all read, in the order
    // it warns of them, as far as its run goes.
    std::vector<std::string> damagedOutputs;

    // Whether quelt finds a main and a scenario disk.
    bool queltCompletes() const;

    bool isD88() const { return fault == HeaderFault::none; }
};

#endif
