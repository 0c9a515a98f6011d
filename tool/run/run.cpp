#include "tool/run/run.h"

#include <cstdio>
#include <cstring>

#include "common/work_buffer.h"
#include "gamefs/game_fs.h"
#include "recognition/demo_signature.h"
#include "recognition/disk_roles.h"
#include "tool/console/console.h"
#include "tool/messages.h"
#include "tool/run/demo_disk.h"
#include "tool/run/main_disk.h"
#include "tool/run/scenario_disk.h"
#include "tool/writers/damage_report.h"
#include "tool/writers/disk_image.h"

namespace {
int fail(const char* message) {
    printError(message);
    return 1;
}

void resetRunState() {
    diskImage.close();
    std::memset(workBuffer, 0, sizeof workBuffer);
    clearGameFsTables();
    std::memset(musicTable, 0, sizeof musicTable);
    clearDamage();
}

// The passes' steps as quelt takes them: each question is read off the disk as
// the pass comes to it (the directory again for every question), and each disk
// recognised is cut at once, so the reads and cuts into workBuffer keep their
// order.
class CuttingSteps : public PassSteps {
public:
    void visit(int32_t diskIndex) override { selectForReading(diskImage, diskIndex); }
    bool carriesDemoSignature() override { return ::carriesDemoSignature(diskImage, workBuffer); }
    bool listsFile(const char* name) override {
        loadDirectory(diskImage);
        return findFile(name);
    }
    void demoDisk(int32_t diskIndex) override {
        std::printf(demoDiskFoundFormat, diskIndex + 1);
        cutDemoFiles();
    }
    void mainDisk(int32_t diskIndex) override { cutMainDisk(diskIndex); }
    void scenarioDisk(int32_t diskIndex) override { cutScenarioDisk(diskIndex, nameBuffer_); }

private:
    char nameBuffer_[nameBufferSize] = {};
};

bool openImage(const char* path, SourceOpener* opener) {
    return opener != nullptr ? diskImage.open(opener->open(path), path) : diskImage.open(path);
}

int runSteps(int argc, char** argv, SourceOpener* opener) {
    if (argc != 2) {
        return fail(usageLine);
    }
    if (!openImage(argv[1], opener)) {
        return fail(cannotOpenMessage);
    }
    CuttingSteps steps;
    if (!secondPassRuns(runFirstPass(diskImage.diskCount(), steps))) {
        return fail(noMainDiskMessage);
    }
    if (!runSecondPass(diskImage.diskCount(), steps)) {
        return fail(noScenarioDiskMessage);
    }
    std::fputs(completeMessage, stdout);
    return anyOutputDamaged() ? 1 : 0;
}
}  // namespace

int runQuelt(int argc, char** argv, OutputFiles& files, SourceOpener* opener) {
    resetRunState();
    runOutputFiles = &files;
    return finishRunOutput(runSteps(argc, argv, opener));
}
