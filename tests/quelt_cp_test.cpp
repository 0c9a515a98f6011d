// End-to-end runs of the built quelt-cp: which files it writes, with which bytes
// and names, and what it says and returns when it cannot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "copier/copy_messages.h"
#include "copier/copy_writer.h"
#include "support/file_tree.h"
#include "samples/game_disk.h"
#include "samples/other_disks.h"
#include "support/row_name.h"
#include "support/run_case.h"
#include "support/run_tool.h"
#include "support/system_errors.h"
#include "support/test_folder.h"

namespace queltests {
using namespace d88build;
namespace {

namespace fs = std::filesystem;

// quelt-cp's line "quelt-cp: FILE: REASON\n", FILE the first of `values`.
std::string copierLine(const char* reasonFormat, ...) {
    const std::string format = std::string(copierName) + ": %s: " + reasonFormat + "\n";
    char line[512];
    std::va_list values;
    va_start(values, reasonFormat);
    std::vsnprintf(line, sizeof line, format.c_str(), values);
    va_end(values);
    return line;
}

const Bytes notes = pattern(3000, 0x61);
// The image as the lines about its disks name it.
const char* const img = kImageName;
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

std::string copying(const char* shown, const char* output) {
    return formatted(copyingFormat, shown, output);
}

void makeFolder(const fs::path& work) {
    fs::create_directory(work / "out");
}

// "ゲーム" and "ゲ" with a byte no character has, in Shift_JIS and in UTF-8.
constexpr char gameName[] = "\x83Q\x81[\x83\x80";
constexpr char gameUtf8[] = "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0";
constexpr char brokenName[] = "\x83Q\xFF";

Disk japaneseDisk() {
    Disk disk(40, 0x67);
    formatGameFs(disk);
    addFile(disk, gameName, notes, {20, 21});
    addFile(disk, brokenName, kana, {22});
    return disk;
}

#ifndef _WIN32
// The message for a folder where no temporary file can be made (POSIX: a
// folder the user cannot write).
std::string noTemporaryIn(const char* folder, const SystemError& error) {
    return std::string("quelt-cp: ") + folder + ": " + noTemporaryProblem + reasonFor(error) +
           "\n";
}
#endif

// Three files named alike, each its own bytes.
Disk alikeDisk() {
    Disk disk(40, 0x68);
    formatGameFs(disk);
    addFile(disk, "notes", notes, {20, 21});
    addFile(disk, "Notes", kana, {22});
    addFile(disk, "notes", longName, {23});
    return disk;
}

// A file's permissions do not stop root: such runs are then nobody's, in a
// work folder nobody may write.
void runAsNobodyWhenRoot(Case& c) {
#ifndef _WIN32
    if (geteuid() == 0) {
        c.around.before = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
#else
    (void)c;
#endif
}

void makeReadOnlySavedat(const fs::path& work) {
    writeFile((work / "savedat").string(), longName);
    fs::permissions(work / "savedat", fs::perms::owner_write | fs::perms::group_write |
                                          fs::perms::others_write,
                    fs::perm_options::remove);
    fs::permissions(work, fs::perms::all);
}

Case failing(std::vector<std::string> args, const std::string& err) {
    Case c = copyOf(copyDisk(), std::move(args));
    c.err = err;
    c.status = 1;
    return c;
}

// What a copy writes and says without --utf8 or --escaped: the tests run the
// programs in the C locale, which escapes; on Windows names are always decoded.
std::string byDefault(const std::string& escaped, const std::string& decoded) {
#ifdef _WIN32
    (void)escaped;
    return decoded;
#else
    (void)decoded;
    return escaped;
#endif
}

// "あ": the disk's bytes 0x82 0xA0 in UTF-8.
constexpr char aUtf8[] = "\xE3\x81\x82";

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
    const std::string a = byDefault("\"\\x82\\xA0\"", std::string("\"") + aUtf8 + "\"");
    const std::string aWritten = byDefault("%82%A0", aUtf8);
    const std::string written[][2] = {
        {"\"../evil\"", "..%2Fevil"}, {"\"a/b\"", "a%2Fb"},     {"\"CON\"", "CON_"},
        {"\"con.txt\"", "con_.txt"},  {"\"..\"", "%2E%2E"},      {"\"notes\"", "notes"},
        {"\"Notes\"", "Notes~2"},     {"\"notes\"", "notes~3"},  {"\"50%\"", "50%25"},
        {"\"x.\"", "x%2E"},           {a, aWritten}, {"\"-\"", "%2D"}};
    for (const auto& [shown, output] : written) {
        c.out += formatted(copyingFormat, shown.c_str(), output.c_str());
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
         c.files[byDefault("%82%A0x", aUtf8 + std::string("x"))] = kana;
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
         c.err = copierLine(damagedCopyFormat, "notes", "\"notes\"");
         c.status = 1;
         return c;
     }},
    {"DamagedFileToStandardOutputNamesTheDisksFile",
     [] {
         Disk disk = copyDisk();
         disk.removeSector(10, 12);
         Case c = copyOf(disk, {"1", "no*", "-"});
         c.out.assign(notes.begin(), notes.begin() + 2048 + 3 * 256);
         c.out.resize(notes.size(), '\0');
         c.binaryOutput = true;
         c.err = copierLine(damagedCopyFormat, "-", "\"notes\"");
         c.status = 1;
         return c;
     }},
    {"ImageIsNeverTheOutput",
     [] {
         Case c = failing({"1", "notes"},
                          std::string("quelt-cp: notes: ") + isTheImageProblem + "\n");
         c.files["notes"] = c.image;
         c.prepare = [](const fs::path& work) {
             fs::create_hard_link(work / kImageName, work / "notes");
         };
         return c;
     }},
    {"FileNotOnTheDisk",
     [] { return failing({"1", "nope"}, copierLine(noSuchFileFormat, img, 1, "nope")); }},
    {"DiskZero",
     [] { return failing({"0", "notes"}, copierLine(noSuchDiskFormat, img, "0", "1 disk")); }},
    {"DiskPastTheLast",
     [] { return failing({"2"}, copierLine(noSuchDiskFormat, img, "2", "1 disk")); }},
    {"DiskWithoutAReadableDirectory",
     [] {
         Disk disk = copyDisk();
         disk.removeTrack(40);
         Case c = copyOf(disk, {"1"});
         c.err = copierLine(unreadableDirectoryFormat, img, 1,
                           "track 40 is missing from the track table");
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
         c.err = copierLine(foreignDirectoryFormat, img, 1,
                           "every used entry is one byte repeated");
         c.status = 1;
         return c;
     }},
    {"DiskOfAnotherFormatHoldsNoFileEvenByName",
     [] {
         Case c = copyOf(uniformDisk(9, 2, 0xF6), {"1", "notes"});
         c.err = copierLine(foreignDirectoryFormat, img, 1,
                           "track 40 holds 9 sectors of 512 bytes");
         c.status = 1;
         return c;
     }},
    {"DiskWithADamagedDirectorySaysWhere",
     [] {
         Case c = copyOf(gameDiskWithout(14), {"1", "notes"});
         c.err = copierLine(unreadableDirectoryFormat, img, 1,
                           "sector 14 of track 40 cannot be read whole");
         c.status = 1;
         return c;
     }},
    {"IntoAnExistingFolder",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes", "out"});
         c.prepare = makeFolder;
         c.files["out/notes"] = notes;
         return c;
     }},
    {"IntoTheCurrentFolderAfterTheOptionsEnd",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes", "."});
         c.args.insert(c.args.begin(), "--");
         c.files["notes"] = notes;
         return c;
     }},
    {"IntoAMissingFolder",
     [] {
         return failing({"1", "notes", "nodir/out"},
                        fileError("quelt-cp", "nodir/out", kNoSuchPath));
     }},
    {"FolderThatDoesNotExist",
     [] { return failing({"1", "notes", "out/"}, fileError("quelt-cp", "out/", kNoSuchFolder)); }},
    {"PatternIntoAFolderAndOverWhatItHeld",
     [] {
         Case c = copyOf(copyDisk(), {"1", "*n*", "out/"});
         c.prepare = [](const fs::path& work) {
             makeFolder(work);
             writeFile((work / "out" / "notes").string(), kana);
         };
         c.out = copying("\"notes\"", "out/notes") + copying("\"longname\"", "out/longname");
         c.files = {{"out/notes", notes}, {"out/longname", longName}};
         return c;
     }},
    {"PatternThatMatchesNothing",
     [] { return failing({"1", "zz*"}, copierLine(noMatchFormat, img, 1, "zz*")); }},
    {"SeveralFilesNeedAFolder",
     [] { return failing({"1", "*", "single"}, copierLine(notAFolderFormat, "single", 3)); }},
    {"EveryFileIntoAFolderWithoutClobbering",
     [] {
         Case c = copyOf(copyDisk(), {"-nt", "out", "1"});
         c.prepare = [](const fs::path& work) {
             makeFolder(work);
             writeFile((work / "out" / "notes").string(), kana);
         };
         c.err = copierLine(notOverwrittenFormat, inFolder("out", "notes").c_str());
         const std::string a = byDefault("\"\\x82\\xA0x\"", "\"" + std::string(aUtf8) + "x\"");
         const std::string aWritten = byDefault("%82%A0x", aUtf8 + std::string("x"));
         c.out = copying(a.c_str(), inFolder("out", aWritten).c_str()) +
                 copying("\"longname\"", inFolder("out", "longname").c_str());
         c.files = {{"out/notes", kana}, {"out/" + aWritten, kana}, {"out/longname", longName}};
         return c;
     }},
    {"AbbreviatedOptionsAmongTheOperands",
     [] {
         Case c = copyOf(copyDisk(), {"1", "--no-clob", "notes", "--target=out"});
         c.prepare = [](const fs::path& work) {
             makeFolder(work);
             writeFile((work / "out" / "notes").string(), kana);
         };
         c.err = copierLine(notOverwrittenFormat, inFolder("out", "notes").c_str());
         c.files = {{"out/notes", kana}};
         return c;
     }},
    {"StandardInputToStandardOutput",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes", "-"});
         c.args.front() = "-";
         c.around.input = kImageName;
         c.out.assign(notes.begin(), notes.end());
         c.binaryOutput = true;
         return c;
     }},
    {"JapaneseNamesWrittenInUtf8",
     [] {
         Case c = copyOf(japaneseDisk(), {"--utf8", "1"});
         const std::string game = gameUtf8;
         const std::string broken = game.substr(0, 3) + "%FF";  // "ゲ%FF"
         c.out = copying(("\"" + game + "\"").c_str(), game.c_str()) +
                 copying(("\"" + game.substr(0, 3) + "\\xFF\"").c_str(), broken.c_str());
         c.files = {{game, notes}, {broken, kana}};
         return c;
     }},
    {"JapaneseNameTypedInUtf8",
     [] {
         Case c = copyOf(japaneseDisk(), {"1", gameUtf8});
         c.files[byDefault("%83Q%81[%83%80", gameUtf8)] = notes;
         return c;
     }},
    {"WrittenNamesAreAcceptedBack",
     [] {
         Case c = copyOf(japaneseDisk(), {"1", "\xE3\x82\xB2%FF", "copy"});
         c.files["copy"] = kana;
         return c;
     }},
    {"DamagedFileIsNamedInTheFormOfTheNamesWritten",
     [] {
         Disk disk = japaneseDisk();
         disk.removeSector(10, 12);
         Case c = copyOf(disk, {"1", gameUtf8});
         Bytes holed = notes;
         std::fill(holed.begin() + 2048 + 3 * 256, holed.end(), 0);
         const std::string written = byDefault("%83Q%81[%83%80", gameUtf8);
         c.files[written] = holed;
         const std::string shown =
             byDefault("\"\\x83Q\\x81[\\x83\\x80\"", "\"" + std::string(gameUtf8) + "\"");
         c.err = copierLine(damagedCopyFormat, written.c_str(), shown.c_str());
         c.status = 1;
         return c;
     }},
    {"DiskWithoutAUsedEntryCopiesNothing",
     [] {
         Disk disk(40, 0x66);
         formatGameFs(disk);
         Case c = copyOf(disk, {"1"});
         c.err = copierLine(noUsedEntryFormat, img, 1);
         return c;
     }},
    {"Utf8LocaleWritesDecodedNames",
     [] {
         // Windows always writes them so: its programs' text is Unicode.
         Case c = copyOf(japaneseDisk(), {"1"});
         c.around.locale = "C.UTF-8";
         const std::string game = gameUtf8;
         const std::string broken = game.substr(0, 3) + "%FF";
         c.out = copying(("\"" + game + "\"").c_str(), game.c_str()) +
                 copying(("\"" + game.substr(0, 3) + "\\xFF\"").c_str(), broken.c_str());
         c.files = {{game, notes}, {broken, kana}};
         return c;
     }},
    {"EscapedNamesWhateverTheLocale",
     [] {
         Case c = copyOf(japaneseDisk(), {"--utf8", "--escaped", "1"});
         c.around.locale = "C.UTF-8";
         c.out = copying("\"\\x83Q\\x81[\\x83\\x80\"", "%83Q%81[%83%80") +
                 copying("\"\\x83Q\\xFF\"", "%83Q%FF");
         c.files = {{"%83Q%81[%83%80", notes}, {"%83Q%FF", kana}};
         return c;
     }},
    {"DecomposedNameFindsItsFile",
     [] {
         // ケ and the voicing mark apart, as macOS file names and clipboards give ゲ.
         const char* decomposed = "\xE3\x82\xB1\xE3\x82\x99\xE3\x83\xBC\xE3\x83\xA0";
         Case c = copyOf(japaneseDisk(), {"1", decomposed, "copy"});
         c.files["copy"] = notes;
         return c;
     }},
    {"WrittenCopyNumberFindsItsFile",
     [] {
         Case c = copyOf(alikeDisk(), {"1", "notes~3", "-"});
         c.out.assign(longName.begin(), longName.end());
         c.binaryOutput = true;
         return c;
     }},
    {"CopyNumberPastTheFilesSaysWhy",
     [] {
         Case c = copyOf(alikeDisk(), {"1", "NOTES~4"});
         c.err = copierLine(noSuchCopyNumberFormat, img, 1, "NOTES~4", 3, "NOTES");
         c.status = 1;
         return c;
     }},
    {"ReadOnlyFileIsNotReplaced",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes", "savedat"});
         c.prepare = makeReadOnlySavedat;
         runAsNobodyWhenRoot(c);
         c.err = std::string("quelt-cp: savedat: ") + readOnlyProblem + "\n";
         c.status = 1;
         c.files["savedat"] = longName;
         return c;
     }},
    {"ForceReplacesAReadOnlyFile",
     [] {
         Case c = copyOf(copyDisk(), {"--force", "1", "notes", "savedat"});
         c.prepare = makeReadOnlySavedat;
         runAsNobodyWhenRoot(c);
         c.files["savedat"] = notes;
         return c;
     }},
    {"HardLinkedTargetIsReplacedAndSaid",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes", "savedat"});
         c.prepare = [](const fs::path& work) {
             writeFile((work / "savedat").string(), longName);
             fs::create_hard_link(work / "savedat", work / "other");
         };
         c.err = copierLine("warning: %s", "savedat", formatted(otherLinksFormat, 1ul).c_str());
         c.files = {{"savedat", notes}, {"other", longName}};
         return c;
     }},
};

#ifndef _WIN32
// The old file must survive every failed copy, and no temporary file may stay.
Case overOldSavedat(std::vector<std::string> args) {
    Case c = copyOf(copyDisk(), std::move(args));
    c.prepare = [](const fs::path& work) { writeFile((work / "savedat").string(), longName); };
    c.files["savedat"] = longName;
    c.status = 1;
    return c;
}

const NamedCase posixCases[] = {
    {"FullDiskLeavesTheOldFileAsItWas",
     [] {
         // The file-size limit fails the write as a full disk would.
         Case c = overOldSavedat({"1", "notes", "savedat"});
         c.around.fileSizeLimit = 1024;
         c.err = fileError("quelt-cp", "savedat", errnoError(EFBIG));
         return c;
     }},
    {"FolderThatCannotBeWritten",
     [] {
         Case c = failing({"1", "notes", "locked/"}, noTemporaryIn("locked", errnoError(EACCES)));
         c.prepare = [](const fs::path& work) {
             fs::create_directory(work / "locked");
             fs::permissions(work / "locked", fs::perms::owner_read | fs::perms::owner_exec |
                                                  fs::perms::group_read | fs::perms::group_exec |
                                                  fs::perms::others_read | fs::perms::others_exec);
         };
         // A folder's permissions do not stop root: the run is then nobody's.
         const char* asNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
         c.around.before = geteuid() == 0 ? asNobody : "";
         return c;
     }},
    {"StandardOutputThatCannotBeWritten",
     [] {
         Case c = failing({"1", "notes", "-"},
                          fileError("quelt-cp", "standard output", errnoError(ENOSPC)));
         c.around.streams = Streams::outputToFull;
         return c;
     }},
    {"ThroughASymbolicLinkTheTargetIsReplaced",
     [] {
         Case c = copyOf(copyDisk(), {"1", "notes", "link"});
         c.prepare = [](const fs::path& work) {
             writeFile((work / "target").string(), kana);
             fs::create_symlink("target", work / "link");
         };
         c.files = {{"target", notes}, {"link", notes}};
         return c;
     }},
    {"ReplacedFileKeepsItsOwnerGroupAndMode",
     [] {
         // Root gives the new file nobody's owner and group; another user keeps
         // their own. The mode passes either way.
         Case c = copyOf(copyDisk(), {"1", "notes", "savedat"});
         const bool root = geteuid() == 0;
         c.prepare = [root](const fs::path& work) {
             writeFile((work / "savedat").string(), longName);
             fs::permissions(work / "savedat", fs::perms::owner_read | fs::perms::owner_write |
                                                   fs::perms::group_read);
             if (root && chown((work / "savedat").c_str(), 65534, 65534) != 0) {
                 ADD_FAILURE() << "chown failed";
             }
         };
         c.around.after = "stat -c '%u %g %a' savedat > owner";
         const std::string owner = root ? "65534 65534" : std::to_string(geteuid()) + " " +
                                                             std::to_string(getegid());
         const std::string expected = owner + " 640\n";
         c.files = {{"savedat", notes}, {"owner", Bytes(expected.begin(), expected.end())}};
         return c;
     }},
    {"FifoAsOutputIsWrittenDirectly",
     [] {
         // A rename would put a regular file in the FIFO's place; the reader
         // gives up after 10 s if nothing ever writes to it.
         Case c = copyOf(copyDisk(), {"1", "notes", "fifo"});
         c.prepare = [](const fs::path& work) {
             if (mkfifo((work / "fifo").c_str(), 0666) != 0) {
                 ADD_FAILURE() << "mkfifo failed";
             }
         };
         c.around.before = "timeout 10 cat fifo > got & ";
         c.around.after = "wait";
         c.files["got"] = notes;
         return c;
     }},
    {"PathsInMessagesStayOneLine",
     [] {
         return failing({"1", "notes", "a\nb/out"},
                        fileError("quelt-cp", "a\\x0Ab/out", kNoSuchPath));
     }},
};
#endif

#ifdef _WIN32
// The case with a folder far enough down (file_tree.h) made, and notes copied into it.
Case copyIntoDeepFolder(std::vector<std::string> args) {
    Case c = copyOf(copyDisk(), std::move(args));
    addFilesAt(c, {deepFolder("out") + "/.keep"}, {});
    c.files[deepFolder("out") + "/notes"] = notes;
    return c;
}

// The copy's image lies at each of `paths` (/ between names) and not as
// kImageName; the arguments go bare, as a wildcard the program expands.
Case copyOfImagesAt(const std::vector<std::string>& paths, std::vector<std::string> args) {
    Case c = copyOf(copyDisk(), std::move(args));
    c.args.erase(c.args.begin());
    c.around.quoted = false;
    addFilesAt(c, paths, c.image);
    return c;
}

const NamedCase windowsCases[] = {
    {"NulDeviceTakesTheCopy",
     [] { return copyOf(copyDisk(), {"1", "notes", "NUL"}); }},
    {"NulDeviceInAFolderTakesTheCopy",
     [] { return copyOf(copyDisk(), {"1", "notes", "sub\\nul"}); }},
    {"OutputPastTheLengthLimit",
     [] { return copyIntoDeepFolder({"1", "notes", windowsPath(deepFolder("out") + "/notes")}); }},
    {"TargetFolderPastTheLengthLimit",
     [] {
         Case c = copyIntoDeepFolder({"-t", windowsPath(deepFolder("out")), "1", "no*"});
         c.out = copying("\"notes\"", windowsPath(deepFolder("out") + "/notes").c_str());
         return c;
     }},
    {"ImagePastTheLengthLimit",
     [] {
         const std::string image = deepFolder("out") + "/set.d88";
         Case c = copyOfImagesAt({image}, {windowsPath(image), "1", "notes"});
         c.files["notes"] = notes;
         return c;
     }},
    {"WildcardImageWithOneMatch",
     [] {
         Case c = copyOfImagesAt({"images/set.d88"}, {"images\\s*.d88", "1", "notes"});
         c.files["notes"] = notes;
         return c;
     }},
    {"WildcardImageWithSeveralMatches",
     [] {
         Case c = copyOfImagesAt({"images/a.d88", "images/b.d88"}, {"images\\?.d88", "1"});
         c.err = copierLine(severalImagesFormat, "images\\?.d88", 2);
         c.status = 1;
         return c;
     }},
    {"WildcardImageWithoutAMatch",
     [] {
         Case c = copyOfImagesAt({}, {"images\\*.d88", "1"});
         c.err = "quelt-cp: images\\*.d88: matches no file\n";
         c.status = 1;
         return c;
     }},
};
#endif

// A temporary file that cannot take the target's name is removed, made with a
// name or (on Linux) without: the target here is a folder, which no rename
// may replace.
TEST(CopyWriter, TemporaryFileGoesWhenItCannotTakeTheName) {
    for (TemporaryFile kind : {TemporaryFile::named, TemporaryFile::best}) {
        const fs::path folder = freshTestFolder(kind == TemporaryFile::named ? "named" : "best");
        fs::create_directories(folder / "target" / "inside");
        CopyWriteOptions options;
        options.temporary = kind;
        const uint8_t bytes[] = {1, 2, 3};
        const CopyWriteResult result = SystemCopyWriter().write((folder / "target").string(), bytes, 3, options);
        EXPECT_FALSE(result.written);
        EXPECT_FALSE(result.noTemporary);
        std::vector<std::string> left;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            left.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(left, std::vector<std::string>{"target"});
    }
}

END_TO_END_TEST(QueltCp, PrintsReturnsAndWritesExactly, QUELT_CP_PROGRAM);

END_TO_END_ROWS(Cases, QueltCp, copyCases);
#ifndef _WIN32
END_TO_END_ROWS(Posix, QueltCp, posixCases);
#else
END_TO_END_ROWS(Windows, QueltCp, windowsCases);
#endif

// Files that are no D88 image, as a collection holds them beside images, and
// the reason both companions give for each.
struct NonImage {
    const char* name;
    std::function<Bytes()> bytes;
    const char* reason;
};

void PrintTo(const NonImage& nonImage, std::ostream* out) {
    *out << nonImage.name;
}

// The first bytes of a program file: an ELF header, whose bytes 28 to 31 (the
// size field of a disk header) are 0.
Bytes programFile() {
    Bytes bytes(4096, 0);
    const uint8_t elf[] = {0x7F, 'E', 'L', 'F', 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0x3E};
    std::copy(std::begin(elf), std::end(elf), bytes.begin());
    return bytes;
}

// gzip data that cannot be unpacked: its magic bytes, then bytes that look like
// nothing. Its header reads as none a D88 writer makes, and the reason names
// the form.
Bytes gzipFile() {
    Bytes bytes = pattern(3000, 0x1F);
    bytes[0] = 0x1F;
    bytes[1] = 0x8B;
    bytes[2] = 0x08;
    bytes[kMediaTypeOffset] = 0xBF;
    return bytes;
}

const NonImage nonImages[] = {
    {"EmptyFile", [] { return Bytes{}; },
     "no disk: the file is shorter than a disk header (688 bytes)"},
    {"TextFile", [] { return Bytes(2000, 'x'); },
     "disk 1's track table points outside the disk, and its media byte 0x78 is none a D88 "
     "writer uses"},
    {"ProgramFile", programFile,
     "disk 1's size, 0 bytes, is smaller than a disk header (688 bytes)"},
    {"GzipFile", gzipFile, "gzip data"},
    {"Raw2DSectorDump", [] { return Bytes(327680, 0xE5); },
     "327,680 bytes, the size of a raw 2D sector image (40 x 2 x 16 x 256)"},
};

class NonImageFile : public testing::TestWithParam<NonImage> {};

// One verdict, one message: quelt-cp names the file and quelt-ls's reason.
TEST_P(NonImageFile, BothCompanionsSayWhyAlike) {
    const Bytes bytes = GetParam().bytes();
    const std::string line = std::string("not a D88 image: ") + GetParam().reason + "\n";
    const ToolRun copy = runInFreshFolder(QUELT_CP_PROGRAM, bytes, {kImageName, "1", "x"});
    EXPECT_EQ(copy.err, asTextStream(std::string("quelt-cp: ") + kImageName + ": " + line));
    EXPECT_EQ(copy.out, "");
    EXPECT_EQ(copy.status, 1);
    EXPECT_TRUE(copy.files.empty());
    const ToolRun list = runInFreshFolder(QUELT_LS_PROGRAM, bytes);
    EXPECT_EQ(list.out, asTextStream(line));
    EXPECT_EQ(list.status, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, NonImageFile, testing::ValuesIn(nonImages), rowName);

}  // namespace
}  // namespace queltests
