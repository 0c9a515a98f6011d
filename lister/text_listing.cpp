// The text listing, rendered from the facts.
#include "lister/text_listing.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/plural.h"
#include "common/sector_address.h"
#include "companion/console.h"
#include "lister/list_messages.h"
#include "lister/listing_labels.h"
#include "names/shown_names.h"
#include "names/unicode.h"
#include "recognition/media_types.h"

namespace {
constexpr char entryFormat[] = "  entry %2d: ";
// A run of identical entries is one line, so that a disk another system filled
// with one byte does not take 48 lines that all say the same.
constexpr char runFormat[] = "  entries %d-%d: %d identical entries, each ";
// The name in its column (padded to nameColumns by display width, so decoded
// names line up too), then the numbers.
constexpr std::size_t nameColumns = 10;
constexpr char fieldsFormat[] = "%s  size %5d  first cluster %3d  chain %3d";
constexpr int32_t writeProtectOff = 0;

void addHashes(std::string& out, const char* lead, const Hashes& hashes) {
    if (hashes.known()) {
        out += formatted("%shashes: crc32 %s  md5 %s  sha1 %s\n", lead, hashes.crc32.c_str(),
                         hashes.md5.c_str(), hashes.sha1.c_str());
    } else {
        out += formatted("%shashes: not known (the file could not be read to its end)\n", lead);
    }
}

std::string quotedName(const std::string& bytes, std::size_t maxLength, NameForm names) {
    return listedName(reinterpret_cast<const uint8_t*>(bytes.c_str()), maxLength, names);
}

// ---- Tracks

// Track numbers as ranges: "40, 50-59".
std::string trackRanges(const std::vector<int32_t>& tracks) {
    std::string text;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        std::size_t last = i;
        while (last + 1 < tracks.size() && tracks[last + 1] == tracks[last] + 1) {
            ++last;
        }
        text += (text.empty() ? "" : ", ") + std::to_string(tracks[i]);
        if (last > i) {
            text += "-" + std::to_string(tracks[last]);
        }
        i = last;
    }
    return text;
}

// A disk's tracks are named one by one this far; the rest are counted, so
// that a disk of records that name 65,535 sectors each keeps a short line.
constexpr std::size_t namedShortTracks = 3;

// "track 79: 1 of 16 sectors stored" for each track that stores fewer sectors
// than it names.
std::string shortTrackNotes(const std::vector<ShortTrack>& tracks) {
    std::string text;
    for (std::size_t i = 0; i < tracks.size() && i < namedShortTracks; ++i) {
        const ShortTrack& track = tracks[i];
        text += (text.empty() ? "" : "; ") + ("track " + std::to_string(track.track) + ": ") +
                std::to_string(track.stored) + " of " +
                counted(track.named, "sector", "sectors") + " stored";
    }
    if (tracks.size() > namedShortTracks) {
        const auto more = static_cast<long long>(tracks.size() - namedShortTracks);
        text += "; " + counted(more, "more track", "more tracks") + " so";
    }
    return text;
}

void addTrackCounts(std::string& out, const TrackFacts& tracks) {
    std::string notes;
    if (!tracks.cutShort.empty()) {
        notes = "cut short: " + trackRanges(tracks.cutShort);
    }
    if (!tracks.missing.empty()) {
        notes += (notes.empty() ? "" : "; ") + ("missing: " + trackRanges(tracks.missing));
    }
    if (!tracks.shortTracks.empty()) {
        notes += (notes.empty() ? "" : "; ") + shortTrackNotes(tracks.shortTracks);
    }
    if (notes.empty()) {
        out += formatted("  tracks: %d\n", tracks.present);
    } else {
        out += formatted("  tracks: %d (%s)\n", tracks.present, notes.c_str());
    }
}

void addSectorSizes(std::string& out, const TrackFacts& tracks) {
    out += "  sector sizes:";
    for (int32_t code : tracks.sizeCodes) {
        if (sizeCodeHasLength(code)) {
            out += formatted(" %d", sectorLength(code));
        } else {
            out += formatted(" N=%d", code);
        }
    }
    out += tracks.sizeCodes.empty() ? " none\n" : "\n";
}

void addTracks(std::string& out, const TrackFacts& tracks) {
    addTrackCounts(out, tracks);
    if (tracks.present + static_cast<int32_t>(tracks.cutShort.size()) > 0) {
        if (tracks.fewestRecords == tracks.mostRecords) {
            out += formatted("  sectors per track: %d\n", tracks.mostRecords);
        } else {
            out +=
                formatted("  sectors per track: %d-%d\n", tracks.fewestRecords, tracks.mostRecords);
        }
    }
    addSectorSizes(out, tracks);
}

// ---- Header

void addHeader(std::string& out, const DiskFacts& disk, const ListingOptions& options) {
    out += formatted("  size: %u", disk.size);
    if (!disk.whole()) {
        out += formatted(" (cut short: past the end of the file by %s)",
                         counted(disk.bytesMissing, "byte", "bytes").c_str());
    }
    const std::string name = quotedName(disk.name, D88Image::nameLength, options.names);
    out += formatted("\n  name: %s\n", name.c_str());
    const char* media = mediaNameOf(disk.media);
    if (media != nullptr) {
        out += formatted("  media: %s\n", media);
    } else {
        out += formatted("  media: 0x%02X\n", static_cast<unsigned>(disk.media));
    }
    if (disk.writeProtect > writeProtectOff) {
        out += formatted("  write protect: 0x%02X\n", static_cast<unsigned>(disk.writeProtect));
    }
    if (options.hashes) {
        addHashes(out, "  ", disk.hashes);
    }
}

// ---- quelt's tests and role

const char* yesNo(bool value) {
    return value ? "yes" : "no";
}

const char* listed(bool value) {
    return value ? "listed" : "not listed";
}

// Why a disk that lists "startup" is not the main disk.
void addStartupLine(std::string& out, const DiskFacts& disk, const RolePicks& picks) {
    const int32_t index = disk.number - 1;
    out += formatted("  startup: %s", listed(disk.listsStartup));
    if (disk.listsStartup && disk.demoSignature) {
        out += " (demo disk: no main-disk candidate)";
    } else if (disk.listsStartup && picks.mainDisk != index) {
        out += formatted(" (disk %d comes first)", picks.mainDisk + 1);
    }
    out += "\n";
}

// Why a disk that lists "bgmscore" is not the scenario disk.
void addBgmscoreLine(std::string& out, const DiskFacts& disk, const RolePicks& picks) {
    const int32_t index = disk.number - 1;
    out += formatted("  bgmscore: %s", listed(disk.listsBgmscore));
    if (disk.listsBgmscore && picks.scenarioDisk != index) {
        out += formatted(" (disk %d comes first)", picks.scenarioDisk + 1);
    } else if (disk.listsBgmscore && !picks.secondPassRuns()) {
        out += " (not searched: no main disk)";
    }
    out += "\n";
}

void addRole(std::string& out, const DiskFacts& disk, const RolePicks& picks) {
    const std::vector<const char*> roles = rolesOf(picks, disk.number - 1);
    out += "  role:";
    for (std::size_t i = 0; i < roles.size(); ++i) {
        out += formatted("%s %s disk", i > 0 ? "," : "", roles[i]);
    }
    out += roles.empty() ? " none\n" : "\n";
}

// An empty directory says whether its allocation table is as a formatter
// leaves it (recognition/directory_rule.h).
std::string emptyNote(const DirectoryVerdict& directory) {
    if (directory.allocationFormatted()) {
        return "allocation table formatted: no cluster links to another";
    }
    return "allocation table not formatted: " +
           counted(directory.linkedClusters, "cluster links", "clusters link") + " to another";
}

void addDirectoryState(std::string& out, const DirectoryVerdict& directory) {
    switch (directory.state) {
    case DirectoryState::unreadable:
        out += formatted("  directory: unreadable (%s)\n", directory.reason.c_str());
        break;
    case DirectoryState::notThisFileSystem:
        out += formatted("  directory: not this file system (%s)\n", directory.reason.c_str());
        break;
    case DirectoryState::empty:
        out += formatted("  directory: empty (%s)\n", emptyNote(directory).c_str());
        break;
    case DirectoryState::thisFileSystem:
        out += formatted("  directory: %s used\n",
                         counted(directory.usedEntries, "entry", "entries").c_str());
        break;
    }
}

// FAT12's facts: its label, its root directory's entries, its FAT copies.
std::string fat12Facts(const ForeignFileSystem& fs, NameForm names) {
    std::string facts = fs.volumeLabel.empty()
                            ? "no volume label"
                            : "volume label " +
                                  quotedName(fs.volumeLabel, fs.volumeLabel.size(), names);
    facts += ", " + counted(fs.files, "file", "files") + ", " +
             counted(fs.deletedEntries, "deleted entry", "deleted entries");
    if (fs.fatCopies == 2) {
        facts += fs.fatCopiesDiffer ? ", the two FATs differ" : ", the two FATs agree";
    }
    return facts;
}

std::string bootFacts(const BootProgram& boot, NameForm names) {
    char addresses[64];
    std::snprintf(addresses, sizeof addresses, " loaded at 0x%04X, run at 0x%04X",
                  static_cast<unsigned>(boot.loadAddress), static_cast<unsigned>(boot.runAddress));
    return quotedName(boot.name, boot.name.size(), names) + ": " +
           counted(boot.size, "byte", "bytes") + addresses;
}

// What another system's disk is, when its rules name it.
void addFileSystem(std::string& out, const ForeignFileSystem& fs, NameForm names) {
    const char* name = foreignSystemName(fs.system);
    if (fs.system == ForeignSystem::none) {
        return;
    }
    if (fs.system == ForeignSystem::bootRecord) {
        out +=
            formatted("  file system: none (%s for %s)\n", name, bootFacts(fs.boot, names).c_str());
        return;
    }
    const std::string facts =
        fs.system == ForeignSystem::fat12 ? fat12Facts(fs, names)
                                          : counted(fs.files, "file", "files");
    out += formatted("  file system: %s (%s)\n", name, facts.c_str());
}

void addVerdict(std::string& out, const DiskFacts& disk, const RolePicks& picks, NameForm names) {
    out += formatted("  demo signature: %s\n", yesNo(disk.demoSignature));
    addDirectoryState(out, disk.directory);
    addFileSystem(out, disk.fileSystem, names);
    addStartupLine(out, disk, picks);
    addBgmscoreLine(out, disk, picks);
    addRole(out, disk, picks);
}

// ---- Directory

// Where the first read of the file's load that came up short stopped.
void addTrouble(std::string& out, const EntryWarnings& warnings) {
    const int32_t cluster = warnings.troubleCluster;
    const SectorAddress& sector = warnings.troubleSector;
    switch (warnings.trouble) {
    case ReadTrouble::none:
        break;
    case ReadTrouble::absentTrack:
        out += formatted("  [cluster %d on absent track %d]", cluster, sector.track);
        break;
    case ReadTrouble::trackPastFileEnd:
        out += formatted("  [cluster %d on track %d, past the end of the file]", cluster,
                         sector.track);
        break;
    case ReadTrouble::trackCutShort:
        out += formatted("  [cluster %d on track %d, cut short by the end of the file]", cluster,
                         sector.track);
        break;
    case ReadTrouble::unreadableSector:
        out += formatted("  [cluster %d: sector %d of track %d cannot be read whole]", cluster,
                         sector.r, sector.track);
        break;
    }
}

void addWarnings(std::string& out, const EntryWarnings& warnings) {
    if (warnings.loopsBackTo >= 0) {
        out += formatted("  [loops back to cluster %d]", warnings.loopsBackTo);
    }
    addTrouble(out, warnings);
    if (warnings.clustersNeeded > 0) {
        out += formatted("  [short: size needs %d clusters]", warnings.clustersNeeded);
    }
    if (warnings.nameRunsOn) {
        out += "  [no 0 after the name: recognition misses it]";
    }
}

// One line for the run of identical entries from entries[first] to entries[last].
void addEntries(std::string& out, const std::vector<EntryFacts>& entries, std::size_t first,
                std::size_t last, const ListingOptions& options) {
    const EntryFacts& entry = entries[first];
    const int32_t from = entry.slot;
    const int32_t to = entries[last].slot;
    if (from == to) {
        out += formatted(entryFormat, from);
    } else {
        out += formatted(runFormat, from, to, to - from + 1);
    }
    const std::string name =
        paddedToWidth(quotedName(entry.name, entryNameBytes, options.names), nameColumns);
    out += formatted(fieldsFormat, name.c_str(), entry.size, entry.firstCluster,
                     static_cast<int32_t>(entry.chain.size()));
    addWarnings(out, entry.warnings);
    out += "\n";
    if (options.hashes && entry.hashes.known()) {
        addHashes(out, entry.whole ? "    " : "    damaged copy's ", entry.hashes);
    }
}

// Neighbouring slots holding the same 16 bytes.
bool sameEntry(const EntryFacts& a, const EntryFacts& b) {
    return b.slot == a.slot + 1 && std::memcmp(a.bytes, b.bytes, sizeof a.bytes) == 0;
}

void addDirectory(std::string& out, const DiskFacts& disk, const ListingOptions& options) {
    if (!disk.entriesListed(options.raw)) {
        return;
    }
    const std::vector<EntryFacts>& entries = disk.entries;
    for (std::size_t first = 0; first < entries.size();) {
        std::size_t last = first;
        while (last + 1 < entries.size() && sameEntry(entries[last], entries[last + 1])) {
            ++last;
        }
        addEntries(out, entries, first, last, options);
        first = last + 1;
    }
}

void addDiskBlock(std::string& out, const DiskFacts& disk, const RolePicks& picks,
                  const ListingOptions& options) {
    out += formatted("disk %d\n", disk.number);
    out += formatted("  offset: %lld\n", static_cast<long long>(disk.offset));
    if (!disk.headerRead) {
        out += "  header: unreadable\n";
        return;
    }
    addHeader(out, disk, options);
    addTracks(out, disk.tracks);
    addVerdict(out, disk, picks, options.names);
    addDirectory(out, disk, options);
}

// ---- The whole image

void addSummary(std::string& out, const RolePicks& picks, int32_t diskCount) {
    out += "demo disks:";
    bool any = false;
    for (int32_t i = 0; i < diskCount && i < D88Image::maxDisks; ++i) {
        if (picks.demo[i]) {
            out += formatted(" %d", i + 1);
            any = true;
        }
    }
    out += any ? "\n" : " none\n";
    if (picks.mainDisk == noDisk) {
        out += "main disk: none\n";
    } else {
        out += formatted("main disk: %d\n", picks.mainDisk + 1);
    }
    if (picks.scenarioDisk == noDisk) {
        out += "scenario disk: none\n";
    } else if (!picks.secondPassRuns()) {
        out +=
            formatted("scenario disk: %d (not searched: no main disk)\n", picks.scenarioDisk + 1);
    } else {
        out += formatted("scenario disk: %d\n", picks.scenarioDisk + 1);
    }
}

// The files quelt would warn of, when there are any.
void addDamagedOutputs(std::string& out, const std::vector<std::string>& names) {
    if (names.empty()) {
        return;
    }
    out += "damaged outputs:";
    for (const std::string& name : names) {
        out += formatted(" %s", name.c_str());
    }
    out += "\n";
}

void addNotD88(std::string& out, const ImageFacts& facts) {
    out += formatted("%s%s\n", notD88Prefix, facts.notD88Reason.c_str());
}
}  // namespace

std::string textListing(const ImageFacts& facts, const ListingOptions& options) {
    std::string out;
    if (!facts.isD88() && !options.raw) {
        addNotD88(out, facts);
        return out;
    }
    out += formatted("disks: %d\n", static_cast<int32_t>(facts.disks.size()));
    if (!facts.isD88()) {
        addNotD88(out, facts);
    }
    if (options.hashes) {
        addHashes(out, "file ", facts.hashes);
    }
    for (const DiskFacts& disk : facts.disks) {
        out += "\n";
        addDiskBlock(out, disk, facts.picks, options);
    }
    out += "\n";
    addSummary(out, facts.picks, static_cast<int32_t>(facts.disks.size()));
    addDamagedOutputs(out, facts.damagedOutputs);
    return out;
}
