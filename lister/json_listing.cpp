// The JSON Lines rendering, by nlohmann-json.
#include "lister/json_listing.h"

#include <cstdio>

#include <nlohmann/json.hpp>

#include "common/sector_address.h"
#include "lister/listed_names.h"
#include "lister/listing_labels.h"
#include "lister/media_types.h"

namespace {
// Fields keep the order they are written in, "version" first.
using json = nlohmann::ordered_json;

json hashesOf(const Hashes& hashes) {
    if (!hashes.known()) {
        return nullptr;
    }
    return {{"crc32", hashes.crc32}, {"md5", hashes.md5}, {"sha1", hashes.sha1}};
}

std::string hexOf(const std::string& bytes) {
    return hexDigits(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

json warningsOf(const EntryWarnings& warnings) {
    json list = json::array();
    if (warnings.loopsBackTo >= 0) {
        list.push_back({{"kind", "loops"}, {"cluster", warnings.loopsBackTo}});
    }
    if (warnings.absentCluster >= 0) {
        list.push_back({{"kind", "absent_track"},
                        {"cluster", warnings.absentCluster},
                        {"track", warnings.absentTrack}});
    }
    if (warnings.clustersNeeded > 0) {
        list.push_back({{"kind", "short"}, {"clusters_needed", warnings.clustersNeeded}});
    }
    if (warnings.nameRunsOn) {
        list.push_back({{"kind", "no_name_end"}});
    }
    return list;
}

json entryOf(const EntryFacts& entry) {
    return {{"slot", entry.slot},
            {"bytes_hex", hexDigits(entry.bytes, sizeof entry.bytes)},
            {"name_hex", hexOf(entry.name)},
            {"name", listedNameBare(entry.name)},
            {"size", entry.size},
            {"first_cluster", entry.firstCluster},
            {"chain", entry.chain},
            {"warnings", warningsOf(entry.warnings)},
            {"hashes", hashesOf(entry.hashes)}};
}

json tracksOf(const TrackFacts& tracks) {
    json sizes = json::array();
    for (int32_t code : tracks.sizeCodes) {
        sizes.push_back(code <= largestSizeCode ? json(sectorLength(code)) : json(nullptr));
    }
    return {{"present", tracks.present},
            {"cut_short", tracks.cutShort},
            {"missing", tracks.missing},
            {"fewest_sectors", tracks.fewestRecords},
            {"most_sectors", tracks.mostRecords},
            {"size_codes", tracks.sizeCodes},
            {"sector_sizes", sizes}};
}

const char* stateName(DirectoryState state) {
    switch (state) {
    case DirectoryState::unreadable:
        return "unreadable";
    case DirectoryState::thisFileSystem:
        return "this_file_system";
    case DirectoryState::notThisFileSystem:
        return "not_this_file_system";
    }
    return "unreadable";
}

json directoryOf(const DiskFacts& disk) {
    json directory = {{"state", stateName(disk.directory)}, {"used_entries", disk.usedEntries}};
    if (disk.directory == DirectoryState::notThisFileSystem) {
        directory["reason"] = disk.foreignReason;
    }
    json entries = json::array();
    for (const EntryFacts& entry : disk.entries) {
        entries.push_back(entryOf(entry));
    }
    directory["entries"] = entries;
    return directory;
}

json diskOf(const DiskFacts& disk, const RolePicks& picks) {
    json object = {
        {"disk", disk.number}, {"offset", disk.offset}, {"header_read", disk.headerRead}};
    if (!disk.headerRead) {
        return object;
    }
    const char* media = mediaNameOf(disk.media);
    const json writeProtect = disk.writeProtect >= 0 ? json(disk.writeProtect) : json(nullptr);
    object.update({{"size", disk.size},
                   {"bytes_missing", disk.bytesMissing},
                   {"name_hex", hexOf(disk.name)},
                   {"name", listedNameBare(disk.name)},
                   {"media", disk.media},
                   {"media_name", media != nullptr ? json(media) : json(nullptr)},
                   {"write_protect", writeProtect},
                   {"tracks", tracksOf(disk.tracks)},
                   {"demo_signature", disk.demoSignature},
                   {"directory", directoryOf(disk)},
                   {"lists_startup", disk.listsStartup},
                   {"lists_bgmscore", disk.listsBgmscore},
                   {"roles", rolesOf(picks, disk.number - 1)},
                   {"hashes", hashesOf(disk.hashes)}});
    return object;
}

json diskNumber(int32_t index) {
    return index == noDisk ? json(nullptr) : json(index + 1);
}

// quelt's verdict on the whole image: the disks it takes, and whether its run
// finds all it looks for.
json queltOf(const ImageFacts& facts) {
    const RolePicks& picks = facts.picks;
    json demo = json::array();
    for (std::size_t i = 0; i < facts.disks.size() && i < D88Image::maxDisks; ++i) {
        if (picks.demo[i]) {
            demo.push_back(i + 1);
        }
    }
    json lacks = json::array();
    if (picks.mainDisk == noDisk) {
        lacks.push_back("main disk");
    } else if (picks.scenarioDisk == noDisk) {
        lacks.push_back("scenario disk");
    }
    return {{"demo_disks", demo},
            {"main_disk", diskNumber(picks.mainDisk)},
            {"scenario_disk", diskNumber(picks.scenarioDisk)},
            {"scenario_searched", picks.secondPassRuns()},
            {"completes", lacks.empty()},
            {"lacks", lacks}};
}

void printLine(const json& object) {
    // Paths need not be UTF-8: a byte that is not becomes U+FFFD rather than
    // stopping the output.
    const std::string line = object.dump(-1, ' ', false, json::error_handler_t::replace);
    std::printf("%s\n", line.c_str());
}

// The file's path, and an archive member's name beside it.
json pathFields(const std::string& path, const std::string& member) {
    json fields = {{"version", jsonVersion}, {"path", path}};
    if (!member.empty()) {
        fields["member"] = member;
    }
    return fields;
}
}  // namespace

void printJsonListing(const ImageFacts& facts) {
    json object = pathFields(facts.path, facts.member);
    object.update({{"readable", true}, {"file_size", facts.fileSize}});
    if (facts.cutOffAt >= 0) {
        object["cut_off_at"] = facts.cutOffAt;
    }
    object.update({{"d88", facts.isD88()}, {"hashes", hashesOf(facts.hashes)}});
    if (!facts.isD88()) {
        object["not_d88_reason"] = notD88ReasonOf(facts);
    }
    json disks = json::array();
    for (const DiskFacts& disk : facts.disks) {
        disks.push_back(diskOf(disk, facts.picks));
    }
    object["disks"] = disks;
    object["quelt"] = queltOf(facts);
    printLine(object);
}

void printJsonFailure(const std::string& path, const std::string& member,
                      const std::string& reason) {
    json object = pathFields(path, member);
    object.update({{"readable", false}, {"error", reason}});
    printLine(object);
}
