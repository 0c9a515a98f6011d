#include "lister/list_image.h"

#include <cstdio>

#include "companion/command_line.h"
#include "companion/image_input.h"
#include "lister/disk_report.h"
#include "lister/disk_verdict.h"
#include "lister/header_check.h"
#include "lister/list_messages.h"
#include "lister/listed_names.h"
#include "lister/role_picks.h"
#include "tool/console.h"

namespace {
constexpr ProgramTexts listerTexts = {listerName, listerUsageLine, listerArguments};
enum ListerOption { utf8Option };
const std::vector<OptionSpec> listerOptions = {{utf8Option, 0, "utf8", false}};

// Judges every disk before any is printed, so that each block can tell which
// disk quelt takes for each role: a scenario disk may come before the main disk,
// and whether quelt searches for it at all depends on a later main disk.
RolePicks judgeAllDisks(D88Image& image, DiskVerdict (&verdicts)[D88Image::maxDisks]) {
    RolePicks picks;
    for (int32_t i = 0; i < image.diskCount(); ++i) {
        verdicts[i] = judgeDisk(image, i);
        pickRoles(picks, i, verdicts[i]);
    }
    return picks;
}

void printDemoDisks(const RolePicks& picks, int32_t diskCount) {
    std::printf("demo disks:");
    bool any = false;
    for (int32_t i = 0; i < diskCount; ++i) {
        if (picks.demo[i]) {
            std::printf(" %d", i + 1);
            any = true;
        }
    }
    std::fputs(any ? "\n" : " none\n", stdout);
}

void printSummary(const RolePicks& picks, int32_t diskCount) {
    printDemoDisks(picks, diskCount);
    if (picks.mainDisk == noDisk) {
        std::printf("main disk: none\n");
    } else {
        std::printf("main disk: %d\n", picks.mainDisk + 1);
    }
    if (picks.scenarioDisk == noDisk) {
        std::printf("scenario disk: none\n");
    } else if (!picks.secondPassRuns()) {
        std::printf("scenario disk: %d (not searched: no main disk)\n", picks.scenarioDisk + 1);
    } else {
        std::printf("scenario disk: %d\n", picks.scenarioDisk + 1);
    }
}

// The listing goes on after it: whatever the header says is still shown.
void printHeaderFault(D88Image& image) {
    switch (firstHeaderFault(image)) {
    case HeaderFault::none:
        break;
    case HeaderFault::noDisk:
        std::printf(noDiskFormat, D88Image::headerSize);
        break;
    case HeaderFault::sizeBelowHeader:
        std::printf(sizeBelowHeaderFormat, image.diskSize(), D88Image::headerSize);
        break;
    case HeaderFault::unknownMedia:
        std::printf(unknownMediaFormat, image.mediaType());
        break;
    case HeaderFault::sizePastFile:
        std::printf(sizePastFileFormat, image.diskSize());
        break;
    }
}

void listDisks(D88Image& image) {
    DiskVerdict verdicts[D88Image::maxDisks] = {};
    RolePicks picks = judgeAllDisks(image, verdicts);
    std::printf("disks: %d\n", image.diskCount());
    printHeaderFault(image);
    for (int32_t i = 0; i < image.diskCount(); ++i) {
        std::printf("\n");
        printDiskBlock(image, i, verdicts[i], picks);
    }
    std::printf("\n");
    printSummary(picks, image.diskCount());
}
}  // namespace

int listImage(int argc, char** argv) {
    int status = 0;
    ParsedCommandLine parsed;
    if (!parseCommandLine(argc, argv, listerTexts, listerOptions, parsed, status)) {
        return status;
    }
    if (parsed.operands.empty()) {
        reportMissingOperand(listerName, listerOperands);
        return finishOutput(1);
    }
    if (parsed.operands.size() > 1) {
        reportExtraOperand(listerName, parsed.operands[1], listerOperands);
        return finishOutput(1);
    }
    listNamesAs(parsed.has(utf8Option) ? NameForm::utf8 : NameForm::escaped);
    D88Image image;
    SystemError why;
    if (!openImage(image, parsed.operands[0], why)) {
        reportFileError(listerName, parsed.operands[0], why);
        return finishOutput(1);
    }
    listDisks(image);
    return finishOutput(0);
}
