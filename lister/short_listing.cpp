// The one-line-per-disk summary, tab-separated.
#include "lister/short_listing.h"

#include "companion/console.h"
#include "lister/listing_labels.h"
#include "names/shown_names.h"

namespace {
// The roles quelt gives the disk, joined by "+"; "-" for none.
std::string roleColumn(const RolePicks& picks, int32_t index) {
    std::string column;
    for (const char* role : rolesOf(picks, index)) {
        column += (column.empty() ? "" : "+") + std::string(role);
    }
    return column.empty() ? "-" : column;
}

// Whether the disk is whole: the file holds all of it, and every track the
// sectors its records name.
const char* wholeColumn(const DiskFacts& disk) {
    if (!disk.whole()) {
        return "cut-short";
    }
    return disk.tracks.shortTracks.empty() ? "whole" : "sectors-missing";
}
}  // namespace

std::string shortListing(const ImageFacts& facts, NameForm names) {
    std::string lines;
    if (!facts.isD88()) {
        return lines;
    }
    const std::string path = pathColumnOf(facts, names);
    for (const DiskFacts& disk : facts.disks) {
        const std::string sha1 = disk.hashes.known() ? disk.hashes.sha1 : "-";
        const std::string role = roleColumn(facts.picks, disk.number - 1);
        lines += formatted("%s\t%d\t%s\t%s\t%u\t%s\t%s\n", path.c_str(), disk.number, role.c_str(),
                           listedNameText(disk.name, names).c_str(), disk.size, sha1.c_str(),
                           wholeColumn(disk));
    }
    return lines;
}
