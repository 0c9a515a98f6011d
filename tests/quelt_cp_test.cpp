// End-to-end runs of the built quelt-cp: which files it writes, with which bytes
// and names, and what it says and returns when it cannot.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "copier/copy_messages.h"
#include "support/game_disk.h"
#include "support/run_case.h"
#include "tool/messages.h"

namespace d88build {
namespace {

namespace fs = std::filesystem;

const Bytes notes = pattern(3000, 0x61);
const Bytes kana = pattern(100, 0x62);
const Bytes longName = pattern(700, 0x63);

// One game disk with a two-cluster file, a name that is not ASCII, and an
// 8-character name with a byte other than 0 after it.
Disk copyDisk() {
    Disk disk(40, 0x60);
    formatGameFs(disk);
    addFile(disk, "notes", notes, {20, 21});
    addFile(disk, "\x82\xA0x", kana, {30});
    int slot = addFile(disk, "longname", longName, {31});
    setEntry(disk, slot, "longname", static_cast<uint16_t>(longName.size()), 31, 'Z');
    return disk;
}

Case copyOf(const Disk& disk, std::vector<std::string> args) {
    Case c;
    c.image = disk.bytes();
    c.args = {kImageName};
    c.args.insert(c.args.end(), args.begin(), args.end());
    return c;
}

Case failing(std::vector<std::string> args, const std::string& err) {
    Case c = copyOf(copyDisk(), std::move(args));
    c.err = err;
    c.status = 1;
    return c;
}

// Names that no file system takes as they are, each the size of `kana`.
const char* const awkwardNames[] = {"../evil", "a/b", "CON", "con.txt", "..", "notes",
                                    "Notes", "notes", "50%", "x.", "\x82\xA0", "-"};

Case everyFileOfAnAwkwardDisk() {
    Disk disk(40, 0x64);
    formatGameFs(disk);
    int cluster = 20;
    for (const char* name : awkwardNames) {
        addFile(disk, name, kana, {cluster++});
    }
    Case c = copyOf(disk, {"1"});
    const char* const written[][2] = {
        {"\"../evil\"", "..%2Fevil"}, {"\"a/b\"", "a%2Fb"},     {"\"CON\"", "CON_"},
        {"\"con.txt\"", "con_.txt"},  {"\"..\"", "%2E%2E"},      {"\"notes\"", "notes"},
        {"\"Notes\"", "Notes~2"},     {"\"notes\"", "notes~3"},  {"\"50%\"", "50%25"},
        {"\"x.\"", "x%2E"},           {"\"\\x82\\xA0\"", "%82%A0"}, {"\"-\"", "%2D"}};
    for (const auto& [shown, output] : written) {
        c.out += formatted(copyingFormat, shown, output);
        c.files[output] = kana;
    }
    return c;
}

const NamedCase copyCases[] = {
    {"OneFileToItsOwnName",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes"});
         c.files["notes"] = notes;
         return c;
     }},
    {"OneFileToANamedOutput",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes", "copy.bin"});
         c.files["copy.bin"] = notes;
         return c;
     }},
    {"OneFileToAJapaneseName",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes", kJapaneseOutputName});
         c.files[kJapaneseOutputName] = notes;
         return c;
     }},
    {"OneFileToStandardOutput",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes", "-"});
         c.out.assign(notes.begin(), notes.end());
         c.binaryOutput = true;
         return c;
     }},
    {"EscapedNameWithHexDigitsInEitherCase",
     [] {
         Case c = copyOf(copyDisk(), {"1", "\\x82\\xa0x"});
         c.files["%82%A0x"] = kana;
         return c;
     }},
    {"EightCharacterNameWithByteEightSet",
     [] {
         Case c = copyOf(copyDisk(), {"1", "longname"});
         c.files["longname"] = longName;
         return c;
     }},
    {"EveryFileOfADiskUnderSafeNames", everyFileOfAnAwkwardDisk},
    {"DamagedFileIsWrittenAndReported",
     [] {
         // notes' second cluster (21: track 10, R 9-16) loses R 12; its last 184
         // bytes stay as the zero-filled buffer held them.
         Disk disk = copyDisk();
         disk.removeSector(10, 12);
         Case c = copyOf(disk, {"1", "notes"});
         Bytes holed = notes;
         std::fill(holed.begin() + 2048 + 3 * 256, holed.end(), 0);
         c.files["notes"] = holed;
         c.err = partlyUnreadable("notes");
         c.status = 1;
         return c;
     }},
    {"ImageIsNeverTheOutput",
     [] {
         Case c = failing({"1", "notes"}, cannotWriteMessage);
         c.files["notes"] = c.image;
         c.prepare = [](const fs::path& work) {
             fs::create_hard_link(work / kImageName, work / "notes");
         };
         return c;
     }},
    {"FileNotOnTheDisk",
     [] { return failing({"1", "nope"}, formatted(noSuchFileFormat, 1, "nope")); }},
    {"DiskZero", [] { return failing({"0", "notes"}, formatted(noSuchDiskFormat, "0", 1)); }},
    {"DiskPastTheLast", [] { return failing({"2"}, formatted(noSuchDiskFormat, "2", 1)); }},
    {"DiskWithoutAReadableDirectory",
     [] {
         Disk disk = copyDisk();
         disk.removeTrack(40);
         Case c = copyOf(disk, {"1"});
         c.err = formatted(unreadableDirectoryFormat, 1);
         c.status = 1;
         return c;
     }},
    {"DiskOfAnotherSystemHoldsNoFileToCopy",
     [] {
         Disk disk(40, 0x65);
         for (int r = kDirectorySector; r <= kAllocationSector; ++r) {
             Bytes& sector = disk.sector(kSystemTrack, r);
             std::fill(sector.begin(), sector.end(), 0xE5);
         }
         Case c = copyOf(disk, {"1"});
         c.err = formatted(onlyFillFormat, 1);
         c.status = 1;
         return c;
     }},
    {"DiskWithoutAUsedEntryCopiesNothing",
     [] {
         Disk disk(40, 0x66);
         formatGameFs(disk);
         Case c = copyOf(disk, {"1"});
         c.err = formatted(noUsedEntryFormat, 1);
         return c;
     }},
};

class QueltCp : public testing::TestWithParam<NamedCase> {};

TEST_P(QueltCp, PrintsReturnsAndWritesExactly) {
    expectRunAsDescribed(QUELT_CP_PROGRAM, GetParam().make());
}

INSTANTIATE_TEST_SUITE_P(Cases, QueltCp, testing::ValuesIn(copyCases), caseName);

}  // namespace
}  // namespace d88build
