// The JSON Lines rendering, by nlohmann-json.
#include "lister/json_listing.h"

#include <nlohmann/json.hpp>

#include "common/sector_address.h"
#include "lister/listing_labels.h"
#include "names/escapes.h"
#include "names/shown_names.h"
#include "recognition/media_types.h"

namespace {
// Fields keep the order they are written in, "version" first.
using json = nlohmann::ordered_json;

json hashesOf(const Hashes& hashes) {
    if (!hashes.known()) {
        return nullptr;
    }
    return {{"crc32", hashes.crc32}, {"md5", hashes.md5}, {"sha1", hashes.sha1}};
}

// A path as two fields: `key` its text (U+FFFD for each byte that is no part of
// a UTF-8 character), `key`_hex its exact bytes.
void putPath(json& object, const char* key, const std::string& path) {
    object[key] = pathAsUnicode(path);
    object[std::string(key) + "_hex"] = hexOfBytes(path);
}

const char* troubleName(ReadTrouble trouble) {
    switch (trouble) {
    case ReadTrouble::none:
    case ReadTrouble::absentTrack:
        break;
    case ReadTrouble::trackPastFileEnd:
        return "track_past_file_end";
    case ReadTrouble::trackCutShort:
        return "track_cut_short";
    case ReadTrouble::unreadableSector:
        return "unreadable_sector";
    }
    return "absent_track";
}

json warningsOf(const EntryWarnings& warnings) {
    json list = json::array();
    if (warnings.loopsBackTo >= 0) {
        list.push_back({{"kind", "loops"}, {"cluster", warnings.loopsBackTo}});
    }
    if (warnings.trouble != ReadTrouble::none) {
        json trouble = {{"kind", troubleName(warnings.trouble)},
                        {"cluster", warnings.troubleCluster},
                        {"track", warnings.troubleSector.track}};
        if (warnings.trouble == ReadTrouble::unreadableSector) {
            trouble["sector"] = warnings.troubleSector.r;
        }
        list.push_back(trouble);
    }
    if (warnings.clustersNeeded > 0) {
        list.push_back({{"kind", "short"}, {"clusters_needed", warnings.clustersNeeded}});
    }
    if (warnings.nameRunsOn) {
        list.push_back({{"kind", "no_name_end"}});
    }
    return list;
}

json entryOf(const EntryFacts& entry, NameForm names) {
    return {{"slot", entry.slot},
            {"bytes_hex", hexOfBytes(entry.bytes, sizeof entry.bytes)},
            {"name_hex", hexOfBytes(entry.name)},
            {"name", listedNameText(entry.name, names)},
            {"size", entry.size},
            {"first_cluster", entry.firstCluster},
            {"chain", entry.chain},
            {"warnings", warningsOf(entry.warnings)},
            {"whole", entry.whole},
            {"hashes", hashesOf(entry.hashes)}};
}

json tracksOf(const TrackFacts& tracks) {
    json sizes = json::array();
    for (int32_t code : tracks.sizeCodes) {
        sizes.push_back(sizeCodeHasLength(code) ? json(sectorLength(code)) : json(nullptr));
    }
    json shortTracks = json::array();
    for (const ShortTrack& track : tracks.shortTracks) {
        shortTracks.push_back(
            {{"track", track.track}, {"stored", track.stored}, {"named", track.named}});
    }
    return {{"present", tracks.present},
            {"cut_short", tracks.cutShort},
            {"missing", tracks.missing},
            {"short_tracks", shortTracks},
            {"fewest_sectors", tracks.fewestRecords},
            {"most_sectors", tracks.mostRecords},
            {"size_codes", tracks.sizeCodes},
            {"sector_sizes", sizes}};
}

const char* stateName(DirectoryState state) {
    switch (state) {
    case DirectoryState::unreadable:
        break;
    case DirectoryState::notThisFileSystem:
        return "not_this_file_system";
    case DirectoryState::empty:
        return "empty";
    case DirectoryState::thisFileSystem:
        return "this_file_system";
    }
    return "unreadable";
}

// A name of another system as text and as its bytes.
void putForeignName(json& object, const char* key, const std::string& bytes, NameForm names) {
    object[key] = listedNameText(bytes, names);
    object[std::string(key) + "_hex"] = hexOfBytes(bytes);
}

json bootRecordOf(const BootProgram& boot, NameForm names) {
    json record = {{"kind", bootRecordKind}};
    putForeignName(record, "program", boot.name, names);
    record.update({{"size", boot.size},
                   {"load_address", boot.loadAddress},
                   {"run_address", boot.runAddress}});
    return record;
}

// What another system's disk is: null when no rule names it.
json fileSystemOf(const ForeignFileSystem& fs, NameForm names) {
    if (fs.system == ForeignSystem::none) {
        return nullptr;
    }
    if (fs.system == ForeignSystem::bootRecord) {
        return {{"name", "none"}, {"boot_record", bootRecordOf(fs.boot, names)}};
    }
    json object = {{"name", foreignSystemName(fs.system)}, {"files", fs.files}};
    if (fs.system == ForeignSystem::fat12) {
        putForeignName(object, "volume_label", fs.volumeLabel, names);
        object.update({{"deleted_entries", fs.deletedEntries},
                       {"fat_copies", fs.fatCopies},
                       {"fat_copies_differ", fs.fatCopiesDiffer}});
    }
    return object;
}

json directoryOf(const DiskFacts& disk, const ListingOptions& options) {
    const DirectoryVerdict& verdict = disk.directory;
    json directory = {{"state", stateName(verdict.state)}, {"used_entries", verdict.usedEntries}};
    if (!verdict.reason.empty()) {
        directory["reason"] = verdict.reason;
    }
    if (verdict.state == DirectoryState::empty) {
        directory["allocation_formatted"] = verdict.allocationFormatted();
    }
    json entries = json::array();
    for (std::size_t i = 0; disk.entriesListed(options.raw) && i < disk.entries.size(); ++i) {
        entries.push_back(entryOf(disk.entries[i], options.names));
    }
    directory["entries"] = entries;
    return directory;
}

json diskOf(const DiskFacts& disk, const RolePicks& picks, const ListingOptions& options) {
    json object = {
        {"disk", disk.number}, {"offset", disk.offset}, {"header_read", disk.headerRead}};
    if (!disk.headerRead) {
        return object;
    }
    const char* media = mediaNameOf(disk.media);
    const json writeProtect = disk.writeProtect >= 0 ? json(disk.writeProtect) : json(nullptr);
    object.update({{"size", disk.size},
                   {"bytes_missing", disk.bytesMissing},
                   {"whole", disk.whole()},
                   {"name_hex", hexOfBytes(disk.name)},
                   {"name", listedNameText(disk.name, options.names)},
                   {"media", disk.media},
                   {"media_name", media != nullptr ? json(media) : json(nullptr)},
                   {"write_protect", writeProtect},
                   {"tracks", tracksOf(disk.tracks)},
                   {"demo_signature", disk.demoSignature},
                   {"directory", directoryOf(disk, options)},
                   {"file_system", fileSystemOf(disk.fileSystem, options.names)},
                   {"lists_startup", disk.listsStartup},
                   {"lists_bgmscore", disk.listsBgmscore},
                   {"roles", rolesOf(picks, disk.number - 1)},
                   {"hashes", hashesOf(disk.hashes)}});
    return object;
}

json diskNumber(int32_t index) {
    return index == noDisk ? json(nullptr) : json(index + 1);
}

json demoDisksOf(const ImageFacts& facts) {
    json demo = json::array();
    for (std::size_t i = 0; i < facts.disks.size() && i < D88Image::maxDisks; ++i) {
        if (facts.picks.demo[i]) {
            demo.push_back(i + 1);
        }
    }
    return demo;
}

// quelt's verdict on the whole image: the disks it takes, whether its run finds
// all it looks for, and whether it cuts the set from bytes it can all read.
json queltOf(const ImageFacts& facts) {
    const RolePicks& picks = facts.picks;
    json lacks = json::array();
    if (picks.mainDisk == noDisk) {
        lacks.push_back("main disk");
    } else if (picks.scenarioDisk == noDisk) {
        lacks.push_back("scenario disk");
    }
    const bool completes = facts.queltCompletes();
    return {{"demo_disks", demoDisksOf(facts)},
            {"main_disk", diskNumber(picks.mainDisk)},
            {"scenario_disk", diskNumber(picks.scenarioDisk)},
            {"scenario_searched", picks.secondPassRuns()},
            {"completes", completes},
            {"lacks", lacks},
            {"cuts_whole", completes ? json(facts.damagedOutputs.empty()) : json(nullptr)},
            {"damaged_outputs", facts.damagedOutputs}};
}

std::string lineOf(const json& object) {
    // Every text is UTF-8 by now (paths through putPath); should one not be,
    // its bytes become U+FFFD rather than stopping the output.
    return object.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

// The file's path, and an archive member's name beside it, each as its text
// and its exact bytes.
json pathFields(const std::string& path, const MemberName& member) {
    json fields = {{"version", jsonVersion}};
    putPath(fields, "path", path);
    if (!member.empty()) {
        fields["member"] = memberNameUnicode(member);
        fields["member_hex"] = hexOfBytes(member.bytes);
    }
    return fields;
}
}  // namespace

std::string jsonListing(const ImageFacts& facts, const ListingOptions& options) {
    json object = pathFields(facts.path, facts.member);
    object.update({{"readable", true}, {"file_size", facts.fileSize}});
    if (facts.cutOffAt >= 0) {
        object["cut_off_at"] = facts.cutOffAt;
    }
    object.update({{"d88", facts.isD88()}, {"hashes", hashesOf(facts.hashes)}});
    if (!facts.isD88()) {
        object["not_d88_reason"] = facts.notD88Reason;
    }
    json disks = json::array();
    for (const DiskFacts& disk : facts.disks) {
        disks.push_back(diskOf(disk, facts.picks, options));
    }
    object["disks"] = disks;
    object["quelt"] = facts.disksGathered ? queltOf(facts) : json(nullptr);
    return lineOf(object);
}

std::string jsonFailure(const std::string& path, const MemberName& member,
                        const std::string& reason) {
    json object = pathFields(path, member);
    object.update({{"readable", false}, {"error", reason}});
    return lineOf(object);
}
