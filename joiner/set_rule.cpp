// The set among all the operands' disks, by quelt's two passes.
#include "joiner/set_rule.h"

#include <algorithm>
#include <cstring>

#include "recognition/disk_roles.h"

namespace {
// The passes' questions answered from the facts; each disk recognised is noted.
class FactSteps : public PassSteps {
public:
    FactSteps(const std::vector<RoleFacts>& disks, SetChoice& choice)
        : disks_(disks), choice_(choice) {}

    void visit(int32_t diskIndex) override { disk_ = &disks_[static_cast<std::size_t>(diskIndex)]; }
    bool carriesDemoSignature() override { return disk_->demoSignature; }
    bool listsFile(const char* name) override {
        return std::strcmp(name, startupFileName) == 0 ? disk_->listsStartup
                                                       : disk_->listsBgmscore;
    }
    void demoDisk(int32_t diskIndex) override { choice_.demo = diskIndex; }
    void mainDisk(int32_t diskIndex) override { choice_.main = diskIndex; }
    void scenarioDisk(int32_t diskIndex) override { choice_.scenario = diskIndex; }

private:
    const std::vector<RoleFacts>& disks_;
    SetChoice& choice_;
    const RoleFacts* disk_ = nullptr;
};

SetChoice rolesOf(const std::vector<RoleFacts>& disks) {
    SetChoice choice;
    FactSteps steps(disks, choice);
    const int32_t count = static_cast<int32_t>(disks.size());
    runFirstPass(count, steps);
    runSecondPass(count, steps);
    return choice;
}

std::vector<int32_t> byRole(const SetChoice& choice) {
    std::vector<int32_t> disks;
    for (int32_t disk : {choice.demo, choice.main, choice.scenario}) {
        if (disk != noSetDisk && std::find(disks.begin(), disks.end(), disk) == disks.end()) {
            disks.push_back(disk);
        }
    }
    return disks;
}

int32_t placeIn(const std::vector<int32_t>& order, int32_t at) {
    return at == noSetDisk ? noSetDisk : order[static_cast<std::size_t>(at)];
}

// Whether quelt, given the disks of `order` alone, gives them the roles they
// have among all the disks: a demo or main disk that also lists "bgmscore"
// before the scenario disk would take the scenario's role.
bool keepsRoles(const std::vector<RoleFacts>& disks, const std::vector<int32_t>& order,
                const SetChoice& choice) {
    std::vector<RoleFacts> written;
    for (int32_t disk : order) {
        written.push_back(disks[static_cast<std::size_t>(disk)]);
    }
    const SetChoice again = rolesOf(written);
    return placeIn(order, again.demo) == choice.demo &&
           placeIn(order, again.main) == choice.main &&
           placeIn(order, again.scenario) == choice.scenario;
}

void notePassedOver(const std::vector<RoleFacts>& disks, SetChoice& choice) {
    const std::vector<int32_t> written = byRole(choice);
    for (int32_t disk = 0; disk < static_cast<int32_t>(disks.size()); ++disk) {
        if (std::find(written.begin(), written.end(), disk) != written.end()) {
            continue;
        }
        const RoleFacts& facts = disks[static_cast<std::size_t>(disk)];
        if (facts.demoSignature || facts.listsStartup) {
            choice.passedOver.push_back({disk, facts.demoSignature ? SetRole::demo : SetRole::main});
        }
        if (facts.listsBgmscore) {
            choice.passedOver.push_back({disk, SetRole::scenario});
        }
    }
}
}  // namespace

SetChoice chooseSet(const std::vector<RoleFacts>& disks) {
    SetChoice choice = rolesOf(disks);
    notePassedOver(disks, choice);
    if (!choice.complete()) {
        return choice;
    }
    choice.order = byRole(choice);
    if (!keepsRoles(disks, choice.order, choice)) {
        // In their own order the disks keep their roles: every pick is the
        // first or the last of its kind among them as among all.
        std::sort(choice.order.begin(), choice.order.end());
    }
    return choice;
}
