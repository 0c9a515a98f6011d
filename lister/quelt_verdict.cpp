// quelt's verdict on the whole image, by the passes' rule over the gathered facts.
#include "lister/quelt_verdict.h"

#include <cstdio>
#include <cstring>

#include "recognition/disk_roles.h"

namespace {
// The passes' steps over what was gathered of each disk: the questions are
// answered from the facts, and each disk recognised is noted with the damage
// quelt's cuts from it would meet.
class ListedSteps : public PassSteps {
public:
    ListedSteps(D88Image& image, ImageFacts& facts, uint8_t* loadBuffer)
        : image_(image), facts_(facts), loadBuffer_(loadBuffer) {}

    void visit(int32_t diskIndex) override { disk_ = &facts_.disks[diskIndex]; }
    bool carriesDemoSignature() override { return disk_->demoSignature; }
    bool listsFile(const char* name) override {
        return std::strcmp(name, startupFileName) == 0 ? disk_->listsStartup
                                                       : disk_->listsBgmscore;
    }
    void demoDisk(int32_t diskIndex) override;
    void mainDisk(int32_t diskIndex) override;
    void scenarioDisk(int32_t diskIndex) override;

private:
    void noteRun(int32_t diskIndex, const FixedCut& cut);
    void noteLoad(int32_t slot, const char* name);
    void notePieces();

    D88Image& image_;
    ImageFacts& facts_;
    uint8_t* loadBuffer_;
    const DiskFacts* disk_ = nullptr;
    const uint8_t* musicTable_ = nullptr;
};

void ListedSteps::demoDisk(int32_t diskIndex) {
    if (diskIndex < D88Image::maxDisks) {
        facts_.picks.demo[diskIndex] = true;
    }
    for (const FixedCut& cut : demoCuts) {
        noteRun(diskIndex, cut);
    }
}

void ListedSteps::mainDisk(int32_t diskIndex) {
    facts_.picks.mainDisk = diskIndex;
    noteRun(diskIndex, driverCut);
    noteLoad(disk_->loads.startup, startupFileName);
    musicTable_ = disk_->loads.musicTable;
}

// The second pass runs here for the pick alone when quelt's would not.
void ListedSteps::scenarioDisk(int32_t diskIndex) {
    facts_.picks.scenarioDisk = diskIndex;
    if (!facts_.picks.secondPassRuns()) {
        return;
    }
    noteLoad(disk_->loads.sudData, sudDataFileName);
    noteLoad(disk_->loads.bgmscore, bgmscoreFileName);
    notePieces();
}

// A fixed cut is damaged when its sector run cannot all be read.
void ListedSteps::noteRun(int32_t diskIndex, const FixedCut& cut) {
    selectForReading(image_, diskIndex);
    if (image_.readSectors(cut.start, loadBuffer_, cut.size) < cut.size) {
        facts_.damagedOutputs.push_back(cut.name);
    }
}

// A load by name is damaged when its entry could not be read whole; a name
// that no entry has loads nothing.
void ListedSteps::noteLoad(int32_t slot, const char* name) {
    const EntryFacts* entry = disk_->entryInSlot(slot);
    if (entry != nullptr && !entry->whole) {
        facts_.damagedOutputs.push_back(name);
    }
}

// A piece is damaged when it reaches past the work buffer.
void ListedSteps::notePieces() {
    for (std::size_t piece = 0; piece < musicPieces; ++piece) {
        const MusicEntry entry = musicEntryIn(musicTable_, piece);
        if (bytesInsideWorkBuffer(pieceOffset(entry), entry.size) < entry.size) {
            char name[16];
            std::snprintf(name, sizeof name, musicPieceNameFormat, static_cast<int>(piece));
            facts_.damagedOutputs.push_back(name);
        }
    }
}
}  // namespace

void judgeImage(D88Image& image, ImageFacts& facts, uint8_t* loadBuffer) {
    ListedSteps steps(image, facts, loadBuffer);
    const int32_t diskCount = static_cast<int32_t>(facts.disks.size());
    runFirstPass(diskCount, steps);
    runSecondPass(diskCount, steps);
}
