// quelt-join: which disks the set rule takes and in which order, the IMAGE@LIST
// syntax, and runs of the built program on images and archives built here:
// OUTPUT's rules, and quelt run on what it joined.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "joiner/disk_choice.h"
#include "joiner/join_messages.h"
#include "joiner/set_rule.h"
#include "samples/archive_builder.h"
#include "samples/game_disk.h"
#include "samples/other_disks.h"
#include "support/row_name.h"
#include "support/run_case.h"
#include "support/run_tool.h"
#include "samples/sample_set.h"

namespace queltests {
using namespace d88build;
namespace {

namespace fs = std::filesystem;

// ---- The set rule over all the operands' disks

const RoleFacts demo{true, false, false};
const RoleFacts mainDisk{false, true, false};
const RoleFacts scenario{false, false, true};
const RoleFacts other{};
const RoleFacts mainAndScenario{false, true, true};

struct SetRow {
    const char* name;
    std::vector<RoleFacts> disks;
    int32_t demo, main, scenario;
    std::vector<int32_t> order;
    // Each passed-over candidate as its disk and its role's first letter.
    std::vector<std::pair<int32_t, char>> passedOver;
};

const SetRow setRows[] = {
    {"InOrder", {demo, mainDisk, scenario}, 0, 1, 2, {0, 1, 2}, {}},
    {"WrongOrderIsWrittenByRole", {scenario, other, demo, mainDisk}, 2, 3, 0, {2, 3, 0}, {}},
    {"NoDemoDisk", {scenario, mainDisk}, noSetDisk, 1, 0, {1, 0}, {}},
    // The last demo disk's files are those quelt leaves; the first main and
    // scenario disks are those it takes.
    {"SecondSetPassedOver",
     {demo, mainDisk, scenario, demo, mainDisk, scenario},
     3, 1, 2, {3, 1, 2},
     {{0, 'd'}, {4, 'm'}, {5, 's'}}},
    // A disk with the signature is no main disk, whatever it lists.
    {"SignatureDiskIsNoMainDisk", {{true, true, false}, mainDisk, scenario}, 0, 1, 2, {0, 1, 2}, {}},
    {"OneDiskTakesBothRoles", {other, mainAndScenario}, noSetDisk, 1, 1, {1}, {}},
    // Written main first, the main disk would take the scenario's role too.
    {"MainListingBgmscoreKeepsItsPlace", {scenario, mainAndScenario}, noSetDisk, 1, 0, {0, 1},
     {}},
    {"NoScenarioDisk", {demo, mainDisk, other}, 0, 1, noSetDisk, {}, {}},
    {"NoMainDisk", {scenario, demo}, 1, noSetDisk, 0, {}, {}},
};

void PrintTo(const SetRow& row, std::ostream* out) {
    *out << row.name;
}

class SetRule : public testing::TestWithParam<SetRow> {};

TEST_P(SetRule, TakesWhatQueltTakes) {
    const SetRow& row = GetParam();
    const SetChoice choice = chooseSet(row.disks);
    EXPECT_EQ(choice.demo, row.demo);
    EXPECT_EQ(choice.main, row.main);
    EXPECT_EQ(choice.scenario, row.scenario);
    EXPECT_EQ(choice.order, row.order);
    std::vector<std::pair<int32_t, char>> passed;
    for (const PassedOver& over : choice.passedOver) {
        const char role = over.role == SetRole::demo ? 'd' : over.role == SetRole::main ? 'm' : 's';
        passed.push_back({over.disk, role});
    }
    EXPECT_EQ(passed, row.passedOver);
}

INSTANTIATE_TEST_SUITE_P(Rows, SetRule, testing::ValuesIn(setRows), rowName);

// ---- IMAGE@LIST

struct ChoiceRow {
    const char* name;
    const char* operand;
    const char* path;
    std::vector<int32_t> disks;
    bool refused;
};

// The names that name a file in these rows.
bool namesFile(const std::string& path) {
    return path == "set.d88" || path == "a@2" || path == "C:\\x.d88";
}

const ChoiceRow choiceRows[] = {
    {"Whole", "set.d88", "set.d88", {}, false},
    {"OneDisk", "set.d88@2", "set.d88", {2}, false},
    {"InTheOrderGiven", "set.d88@3,1,1", "set.d88", {3, 1, 1}, false},
    {"Range", "set.d88@1-3,5", "set.d88", {1, 2, 3, 5}, false},
    {"LastDisk", "set.d88@64", "set.d88", {64}, false},
    {"DriveLetter", "C:\\x.d88@2", "C:\\x.d88", {2}, false},
    {"ArchiveMember", "set.zip/disks/a.d88@2", "set.zip/disks/a.d88", {2}, false},
    {"FileNamedWithTheMark", "a@2", "a@2", {}, false},
    {"MarkOnly", "@2", "@2", {}, false},
    {"Zero", "set.d88@0", "set.d88", {}, true},
    {"PastTheLargest", "set.d88@65", "set.d88", {}, true},
    {"RangeBackwards", "set.d88@3-1", "set.d88", {}, true},
    {"Empty", "set.d88@", "set.d88", {}, true},
    {"TrailingComma", "set.d88@2,", "set.d88", {}, true},
    {"NotANumber", "set.d88@x", "set.d88", {}, true},
    // No file of that name: the operand stays whole, and opening it says why.
    {"UnreadListOfNoFile", "none.d88@x", "none.d88@x", {}, false},
};

void PrintTo(const ChoiceRow& row, std::ostream* out) {
    *out << row.name;
}

class DiskChoiceSyntax : public testing::TestWithParam<ChoiceRow> {};

TEST_P(DiskChoiceSyntax, SplitsAtTheMark) {
    const ChoiceRow& row = GetParam();
    const DiskChoice choice = diskChoiceOf(row.operand, 64, namesFile);
    EXPECT_EQ(choice.path, row.path);
    EXPECT_EQ(choice.disks, row.disks);
    EXPECT_EQ(choice.listRefused, row.refused);
}

INSTANTIATE_TEST_SUITE_P(Rows, DiskChoiceSyntax, testing::ValuesIn(choiceRows), rowName);

// ---- Runs of quelt-join

const std::string joinProgram = QUELT_JOIN_PROGRAM;

// "シナリオ.d88", "デモ.d88", "メイン.d88": Japanese names, in the wrong order.
const std::string scenarioName = "\xE3\x82\xB7\xE3\x83\x8A\xE3\x83\xAA\xE3\x82\xAA.d88";
const std::string demoName = "\xE3\x83\x87\xE3\x83\xA2.d88";
const std::string mainName = "\xE3\x83\xA1\xE3\x82\xA4\xE3\x83\xB3.d88";

// The set's disks as members named `names` (scenario, demo, main), and
// another system's disk among them.
Bytes setZip(const SampleSet& set, const std::vector<std::string>& names = {
                                       scenarioName, demoName, mainName}) {
    return archiveOf(ArchiveForm::zip, {{names[0], set.scenario.bytes()},
                                        {"other.d88", uniformDisk(9, 2, 0xE5).bytes()},
                                        {names[1], set.demo.bytes()},
                                        {names[2], set.main.bytes()}});
}

std::string took(const char* role, const std::string& where) {
    return std::string(role) + ": " + where + "\n";
}

// What --set says on the set's ZIP of members c.d88, a.d88 and b.d88.
std::string setZipLines() {
    return took(demoRoleText, "image.d88/a.d88 disk 1 \"DEMO\"") +
           took(mainRoleText, "image.d88/b.d88 disk 1 \"MAIN\"") +
           took(scenarioRoleText, "image.d88/c.d88 disk 1 \"SCENARIO\"");
}


// An OUTPUT there before the run, which a failed run leaves as it was.
void withOldOutput(Case& c) {
    addFilesAt(c, {"set.d88"}, pattern(100, 0x41));
}

// Made once, when a row first asks: the builders' own tables are set up by then.
const SampleSet& theSet() {
    static const SampleSet set = makeSampleSet();
    return set;
}

const NamedCase runRows[] = {
    {"SetFromAZipByRole",
     [] {
         Case c;
         c.image = setZip(theSet(), {"c.d88", "a.d88", "b.d88"});
         c.args = {"--set", "-o", "set.d88", kImageName};
         c.err = setZipLines();
         c.files["set.d88"] = sampleImage();
         return c;
     }},
    {"PlainJoinIsTheFilesInOrder",
     [] {
         Case c;
         c.image = theSet().main.bytes();
         c.args = {"-o", "set.d88", kImageName, "more.d88"};
         addFilesAt(c, {"more.d88"}, theSet().scenario.bytes());
         c.files["set.d88"] = concat({&theSet().main, &theSet().scenario});
         return c;
     }},
    {"ChosenDisksOfOneImage",
     [] {
         Case c;
         c.image = sampleImage();
         c.args = {"-o", "two.d88", std::string(kImageName) + "@3,1"};
         c.files["two.d88"] = concat({&theSet().scenario, &theSet().demo});
         return c;
     }},
    {"NoScenarioDiskLeavesOutput",
     [] {
         Case c;
         c.image = concat({&theSet().demo, &theSet().main});
         c.args = {"--set", "-o", "set.d88", kImageName};
         withOldOutput(c);
         const std::string demoAt = "image.d88 disk 1 \"DEMO\"";
         const std::string mainAt = "image.d88 disk 2 \"MAIN\"";
         c.err = took(demoRoleText, demoAt) + took(mainRoleText, mainAt) + "quelt-join: " +
                 noScenarioText + foundAmongText + "2 disks: demo disk " + demoAt +
                 ", main disk " + mainAt + "\n";
         c.status = 1;
         return c;
     }},
    {"InputNamedAsOutput",
     [] {
         Case c;
         c.image = sampleImage();
         c.args = {"-o", kImageName, kImageName};
         c.err = std::string("quelt-join: image.d88: ") + outputIsInputText + "\n";
         c.status = 1;
         return c;
     }},
    {"InputByAnotherNameAsOutput",
     [] {
         Case c;
         c.image = theSet().main.bytes();
         c.args = {"-o", "./image.d88", "--set", "more.d88", kImageName};
         addFilesAt(c, {"more.d88"}, theSet().scenario.bytes());
         c.err = std::string("quelt-join: ./image.d88: ") + outputIsInputText + "\n";
         c.status = 1;
         return c;
     }},
    // A name in no single-byte code page, which Windows' own calls must be given.
    {"JapaneseInputNamedAsOutputStaysAsItWas",
     [] {
         Case c;
         c.image = sampleImage();
         c.prepare = giveImageAJapaneseName;
         c.args = {"-o", kJapaneseImageName, std::string(kJapaneseImageName) + "@2"};
         c.err = std::string("quelt-join: ") + kJapaneseImageName + ": " + outputIsInputText +
                 "\n";
         c.status = 1;
         c.files[kJapaneseImageName] = sampleImage();
         return c;
     }},
    {"CutShortDiskRefused",
     [] {
         Case c;
         const Bytes whole = theSet().demo.bytes();
         c.image = Bytes(whole.begin(), whole.end() - 1000);
         c.args = {"-o", "set.d88", kImageName};
         withOldOutput(c);
         c.err = "quelt-join: image.d88: disk 1 is cut short by the end of the file (1000 bytes "
                 "missing); not joined\n";
         c.status = 1;
         return c;
     }},
    {"NoSuchDisk",
     [] {
         Case c;
         c.image = theSet().main.bytes();
         c.args = {"-o", "set.d88", std::string(kImageName) + "@2"};
         c.err = "quelt-join: image.d88: no disk 2: the image holds 1 disk\n";
         c.status = 1;
         return c;
     }},
};

END_TO_END_TEST(JoinRun, WritesOrLeavesOutput, joinProgram);

END_TO_END_ROWS(Rows, JoinRun, runRows);

// The wiring from an archive to quelt's files: quelt on the set joined from a
// ZIP of its disks in the wrong order, with another system's disk among them,
// writes the files it writes from the set itself.
TEST(JoinThenQuelt, WritesTheSetsFiles) {
    const ToolRun join =
        runInFreshFolder(joinProgram, setZip(theSet()), {"--set", "-o", "set.d88", kImageName});
    ASSERT_EQ(join.status, 0) << join.err;
    Case quelt = completeRun(theSet());
    quelt.image = join.files.at("set.d88");
    expectRunAsDescribed(QUELT_PROGRAM, quelt);
}

#ifdef _WIN32
// The drop target's wiring: the set joined from the dropped archive, and
// quelt's files beside it, in a new folder named for it.
TEST(DropTarget, RunsQueltOnTheSetInAFolderNamedForTheImage) {
    const ToolRun run = runInFreshFolder(QUELT_DROP_PROGRAM, setZip(theSet()), {kImageName});
    EXPECT_EQ(run.status, 0) << run.err;
    const Case quelt = completeRun(theSet());
    ASSERT_EQ(run.files.size(), quelt.files.size() + 1) << run.err;
    EXPECT_TRUE(run.files.at("image/set.d88") == sampleImage());
    for (const auto& [name, bytes] : quelt.files) {
        EXPECT_TRUE(run.files.at("image/" + name) == bytes) << name;
    }
}
#endif

}  // namespace
}  // namespace queltests
