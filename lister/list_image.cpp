#include "lister/list_image.h"

#include <cstdio>

#include "lister/disk_report.h"
#include "lister/disk_verdict.h"
#include "lister/header_check.h"
#include "lister/list_messages.h"
#include "lister/role_picks.h"
#include "tool/command_line.h"
#include "tool/console.h"
#include "tool/messages.h"

namespace {
constexpr ProgramTexts listerTexts = {listerName, listerUsageLine, listerArguments};

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
    if (answerOptions(argc, argv, listerTexts, noDashOperand, status)) {
        return status;
    }
    if (argc != 2) {
        printError(listerUsageLine);
        return finishOutput(1);
    }
    D88Image image;
    if (!image.open(argv[1])) {
        printError(cannotOpenMessage);
        return finishOutput(1);
    }
    listDisks(image);
    return finishOutput(0);
}
