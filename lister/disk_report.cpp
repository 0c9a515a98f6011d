#include "lister/disk_report.h"

#include <cstdio>

#include "gamefs/game_fs.h"
#include "lister/directory_report.h"
#include "lister/media_types.h"
#include "lister/listed_names.h"
#include "lister/track_survey.h"
#include "tool/disk_roles.h"

namespace {
void printMediaType(int32_t mediaType) {
    const char* name = mediaNameOf(mediaType);
    if (name != nullptr) {
        std::printf("  media: %s\n", name);
    } else {
        std::printf("  media: 0x%02X\n", mediaType);
    }
}

// Tracks absent below the highest usable one, as ranges: "40, 50-59".
void printMissingTracks(const TrackSurvey& survey) {
    const char* separator = " (missing: ";
    int32_t track = 0;
    while (track < survey.highestUsable) {
        if (survey.usable[track]) {
            ++track;
            continue;
        }
        int32_t last = track;
        while (!survey.usable[last + 1]) {
            ++last;
        }
        if (last == track) {
            std::printf("%s%d", separator, track);
        } else {
            std::printf("%s%d-%d", separator, track, last);
        }
        separator = ", ";
        track = last + 1;
    }
    bool anyMissing = survey.usableCount < survey.highestUsable + 1;
    std::fputs(anyMissing ? ")\n" : "\n", stdout);
}

void printRecordCounts(const TrackSurvey& survey) {
    if (survey.fewestRecords == survey.mostRecords) {
        std::printf("  sectors per track: %d\n", survey.mostRecords);
    } else {
        std::printf("  sectors per track: %d-%d\n", survey.fewestRecords, survey.mostRecords);
    }
}

void printSectorSizes(const TrackSurvey& survey) {
    std::printf("  sector sizes:");
    bool any = false;
    for (int32_t code = 0; code < sizeCodes; ++code) {
        if (!survey.sizeCodeSeen[static_cast<std::size_t>(code)]) {
            continue;
        }
        any = true;
        if (code <= largestSizeCode) {
            std::printf(" %d", sectorLength(code));
        } else {
            std::printf(" N=%d", code);
        }
    }
    std::fputs(any ? "\n" : " none\n", stdout);
}

void printTracks(D88Image& image) {
    TrackSurvey survey = surveyTracks(image);
    std::printf("  tracks: %d", survey.usableCount);
    printMissingTracks(survey);
    if (survey.usableCount > 0) {
        printRecordCounts(survey);
    }
    printSectorSizes(survey);
}

void printHeader(const D88Image& image) {
    std::printf("  size: %d\n", image.diskSize());
    const uint8_t* name = reinterpret_cast<const uint8_t*>(image.diskName());
    std::printf("  name: %s\n", listedNameOf(name, D88Image::nameLength).c_str());
    printMediaType(image.mediaType());
}

const char* yesNo(bool value) {
    return value ? "yes" : "no";
}

const char* listed(bool value) {
    return value ? "listed" : "not listed";
}

// Why a disk that lists "startup" is not the main disk.
void printStartupLine(int32_t diskIndex, const DiskVerdict& verdict, const RolePicks& picks) {
    std::printf("  startup: %s", listed(verdict.listsStartup));
    if (verdict.listsStartup && verdict.demoSignature) {
        std::printf(" (demo disk: no main-disk candidate)");
    } else if (verdict.listsStartup && picks.mainDisk != diskIndex) {
        std::printf(" (disk %d comes first)", picks.mainDisk + 1);
    }
    std::printf("\n");
}

// Why a disk that lists "bgmscore" is not the scenario disk.
void printBgmscoreLine(int32_t diskIndex, const DiskVerdict& verdict, const RolePicks& picks) {
    std::printf("  bgmscore: %s", listed(verdict.listsBgmscore));
    if (verdict.listsBgmscore && picks.scenarioDisk != diskIndex) {
        std::printf(" (disk %d comes first)", picks.scenarioDisk + 1);
    } else if (verdict.listsBgmscore && !picks.secondPassRuns()) {
        std::printf(" (not searched: no main disk)");
    }
    std::printf("\n");
}

void printRole(int32_t diskIndex, const RolePicks& picks) {
    const char* separator = "";
    std::printf("  role:");
    if (picks.demo[diskIndex]) {
        std::printf(" demo disk");
        separator = ",";
    }
    if (picks.mainDisk == diskIndex) {
        std::printf("%s main disk", separator);
        separator = ",";
    }
    if (picks.scenarioDisk == diskIndex && picks.secondPassRuns()) {
        std::printf("%s scenario disk", separator);
        separator = ",";
    }
    std::fputs(separator[0] == '\0' ? " none\n" : "\n", stdout);
}

void printVerdict(int32_t diskIndex, const DiskVerdict& verdict, const RolePicks& picks) {
    std::printf("  demo signature: %s\n", yesNo(verdict.demoSignature));
    if (verdict.directoryRead) {
        std::printf("  directory: %d entries used\n", usedEntryCount());
    } else {
        std::printf("  directory: unreadable\n");
    }
    printStartupLine(diskIndex, verdict, picks);
    printBgmscoreLine(diskIndex, verdict, picks);
    printRole(diskIndex, picks);
}
}  // namespace

void printDiskBlock(D88Image& image, int32_t diskIndex, const DiskVerdict& verdict,
                    const RolePicks& picks) {
    std::printf("disk %d\n", diskIndex + 1);
    std::printf("  offset: %d\n", image.diskOffsetOf(diskIndex));
    if (!selectForReading(image, diskIndex)) {
        std::printf("  header: unreadable\n");
        return;
    }
    printHeader(image);
    printTracks(image);
    // The verdict was taken while all disks were judged; the directory is read
    // again for this disk's entries.
    loadDirectory(image);
    printVerdict(diskIndex, verdict, picks);
    printDirectory(image);
}
