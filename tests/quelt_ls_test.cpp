// End-to-end runs of the built quelt-ls: what it prints about an image, whether
// the image opened, and that it never writes a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "lister/list_messages.h"
#include "support/file_tree.h"
#include "samples/game_disk.h"
#include "samples/foreign_disks.h"
#include "samples/other_disks.h"
#include "support/run_case.h"
#include "support/run_tool.h"
#include "support/system_errors.h"
#include "samples/sample_set.h"

namespace queltests {
using namespace d88build;
namespace {

const std::string sampleSetListing =
    R"out(disks: 3

disk 1
  offset: 0
  size: 348848
  name: "DEMO"
  media: 2D
  tracks: 80
  sectors per track: 16
  sector sizes: 256
  demo signature: yes
  directory: empty (allocation table formatted: no cluster links to another)
  startup: not listed
  bgmscore: not listed
  role: demo disk

disk 2
  offset: 348848
  size: 348848
  name: "MAIN"
  media: 2D
  tracks: 80
  sectors per track: 16
  sector sizes: 256
  demo signature: no
  directory: 2 entries used
  startup: listed
  bgmscore: not listed
  role: main disk
  entry  0: "title"     size  1500  first cluster  20  chain   1
  entry  1: "startup"   size  8500  first cluster  12  chain   5

disk 3
  offset: 697696
  size: 348848
  name: "SCENARIO"
  media: 2D
  tracks: 80
  sectors per track: 16
  sector sizes: 256
  demo signature: no
  directory: 4 entries used
  startup: not listed
  bgmscore: listed
  role: scenario disk
  entry  0: "sud_data"  size  5000  first cluster  44  chain   3
  entry  1: "scn_text"  size   700  first cluster 150  chain   1
  entry  2: "bgmscore"  size 50000  first cluster  60  chain  25
  entry  3: "savedat"   size  3000  first cluster 153  chain   2

demo disks: 1
main disk: 2
scenario disk: 3
)out";

// A disk as other systems format it: no file of the set's file system, the
// directory and allocation sectors one fill byte each. Two fills make two runs.
Bytes otherSystemsDisk() {
    Disk disk;
    disk.setName("BLANK");
    for (int r = kDirectorySector; r <= kAllocationSector; ++r) {
        disk.sector(kSystemTrack, r).assign(kSectorSize, r == kDirectorySector ? 0xE5 : 0xFF);
    }
    return disk.bytes();
}

// A disk whose directory and allocation sectors hold other data: bytes that
// run through every value.
Bytes otherDataDisk() {
    Disk disk;
    for (int r = kDirectorySector; r <= kAllocationSector; ++r) {
        Bytes& sector = disk.sector(kSystemTrack, r);
        sector.resize(kSectorSize);
        for (size_t i = 0; i < kSectorSize; ++i) {
            sector[i] = static_cast<uint8_t>((i * 167 + static_cast<size_t>(r) * 61) & 0xFF);
        }
    }
    return disk.bytes();
}

const NamedCase wholeRunCases[] = {
    {"CompleteSampleSet",
     [] {
         Case c;
         c.image = sampleImage();
         c.out = sampleSetListing;
         return c;
     }},
    {"ImageWithAJapaneseName",
     [] {
         Case c;
         c.image = sampleImage();
         c.prepare = giveImageAJapaneseName;
         c.args = {kJapaneseImageName};
         c.out = sampleSetListing;
         c.files[kJapaneseImageName] = c.image;
         return c;
     }},
    {"OtherSystemsFillFoldsIntoRuns",
     [] {
         Case c;
         c.image = otherSystemsDisk();
         // 0xE5 0xE5 is a kanji in code page 932: escaped, the fill shows as bytes.
         c.args = {"--raw", "--escaped", kImageName};
         c.out = "disks: 1\n\ndisk 1\n  offset: 0\n  size: 348848\n  name: \"BLANK\"\n"
                 "  media: 2D\n  tracks: 80\n  sectors per track: 16\n  sector sizes: 256\n"
                 "  demo signature: no\n"
                 "  directory: not this file system (every used entry is one byte repeated)\n"
                 "  startup: not listed\n"
                 "  bgmscore: not listed\n  role: none\n"
                 "  entries 0-15: 16 identical entries, each "
                 "\"\\xE5\\xE5\\xE5\\xE5\\xE5\\xE5\\xE5\\xE5\""
                 "  size 58853  first cluster 229  chain   1  [cluster 229 on absent track 114]"
                 "  [short: size needs 29 clusters]  [no 0 after the name: recognition misses it]\n"
                 "  entries 16-47: 32 identical entries, each "
                 "\"\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\""
                 "  size 65535  first cluster 255  chain   1  [cluster 255 on absent track 127]"
                 "  [short: size needs 32 clusters]  [no 0 after the name: recognition misses it]\n"
                 "\ndemo disks: none\nmain disk: none\nscenario disk: none\n";
         return c;
     }},
    {"StandardInputAfterTheOptionsEnd",
     [] {
         Case c;
         c.image = sampleImage();
         c.args = {"--utf8", "--", "-"};
         c.around.input = kImageName;
         c.out = sampleSetListing;
         return c;
     }},
    {"SeveralImagesGoOnAfterOneFails",
     [] {
         Case c;
         c.args = {kImageName, "missing.d88", "-r", "."};
         c.out = "image.d88:\nnot a D88 image: no disk: the file is shorter than a disk header "
                 "(688 bytes)\n\n" + inFolder(".", "image.d88") +
                 ":\nnot a D88 image: no disk: the file is shorter than a disk header (688 "
                 "bytes)\n";
         c.err = fileError("quelt-ls", "missing.d88", kNoSuchFile);
         c.status = 2;
         return c;
     }},
    {"EmptyImageHasNoDisks",
     [] {
         Case c;
         c.out = "not a D88 image: no disk: the file is shorter than a disk header (688 bytes)\n";
         c.status = 1;
         return c;
     }},
};

#ifndef _WIN32
// A piped image gives the listing of the file; a full standard output is said.
const NamedCase posixCases[] = {
    {"ImageThroughAPipe",
     [] {
         Case c;
         c.image = sampleImage();
         c.args = {"-"};
         c.around.before = std::string("cat ") + kImageName + " | ";
         c.out = sampleSetListing;
         return c;
     }},
    {"HeadingsStayOneLine",
     [] {
         Case c;
         c.args = {"-r", "in"};
         c.prepare = [](const std::filesystem::path& work) {
             std::filesystem::create_directory(work / "in");
             writeFile((work / "in").string() + "/a\nb\x83.d88", Bytes());
         };
         c.out = "in/a\\x0Ab\\x83.d88:\nnot a D88 image: no disk: the file is shorter than a "
                 "disk header (688 bytes)\n";
         c.files["in/a\nb\x83.d88"] = Bytes();
         c.status = 1;
         return c;
     }},
    {"StandardOutputThatCannotBeWritten",
     [] {
         Case c;
         c.image = sampleImage();
         c.around.streams = Streams::outputToFull;
         c.err = fileError("quelt-ls", "standard output", errnoError(ENOSPC));
         c.status = 2;
         return c;
     }},
};
#endif

#ifdef _WIN32
// `path` (/ between the names) as --short's PATH column writes it.
std::string shortColumn(const std::string& path) {
    std::string column;
    for (char c : windowsPath(path)) {
        column += c == '\\' ? "\\\\" : std::string(1, c);
    }
    return column;
}

// The images the cases add below the work folder, each the set's scenario disk.
Case withImages(const std::vector<std::string>& paths, std::vector<std::string> args) {
    Case c;
    c.args = std::move(args);
    addFilesAt(c, paths, makeSampleSet().scenario.bytes());
    return c;
}

// Windows' own: paths past 260 characters, wildcards the program expands,
// paths it builds with \.
const NamedCase windowsCases[] = {
    {"ImagePastTheLengthLimitUnderR",
     [] {
         const std::string image = deepFolder("images") + "/set.d88";
         Case c = withImages({image}, {"--short", "-r", "images"});
         c.out = shortColumn(image) + kScenarioShortLine;
         return c;
     }},
    {"WildcardListsEveryMatch",
     [] {
         Case c = withImages({"images/a.d88", "images/b.d88", "images/c.txt"},
                             {"--short", "images\\*.d88"});
         c.around.quoted = false;
         c.out = shortColumn("images/a.d88") + kScenarioShortLine + shortColumn("images/b.d88") +
                 kScenarioShortLine;
         return c;
     }},
    // Windows users quote whole paths; no file has that name.
    {"QuotedWildcardListsEveryMatch",
     [] {
         Case c = withImages({"images/a.d88"}, {"--short", "images\\*.d88"});
         c.out = shortColumn("images/a.d88") + kScenarioShortLine;
         return c;
     }},
    {"WildcardThatMatchesNothing",
     [] {
         Case c = withImages({"images/a.d88"}, {"images\\*.x", "images\\a.d88"});
         c.args.insert(c.args.begin(), "--short");
         c.around.quoted = false;
         c.out = shortColumn("images/a.d88") + kScenarioShortLine;
         c.err = "quelt-ls: images\\*.x: matches no file\n";
         c.status = 2;
         return c;
     }},
};
#endif

// No case expects a file but the image under another name: the listing never
// writes one.
END_TO_END_TEST(QueltLsRun, PrintsAndReturnsExactlyAndWritesNothing, QUELT_LS_PROGRAM);

END_TO_END_ROWS(Cases, QueltLsRun, wholeRunCases);
#ifndef _WIN32
END_TO_END_ROWS(Posix, QueltLsRun, posixCases);
#else
END_TO_END_ROWS(Windows, QueltLsRun, windowsCases);
#endif

// An image recipe and the parts of the listing that tell its story: each text
// must appear in the output, in this order, lines whole.
struct LinesCase {
    const char* name;
    std::function<Bytes()> image;
    std::vector<std::string> texts;
    std::vector<std::string> options = {};
    int status = 0;
    std::string locale = "C";
};

void PrintTo(const LinesCase& linesCase, std::ostream* out) {
    *out << linesCase.name;
}

// The sample set cut `kept` bytes into its scenario disk's track `track` (the
// disk starts at 697,696).
Bytes sampleCutInScenarioTrack(int track, long kept) {
    const SampleSet set = makeSampleSet();
    return concat({set.demo.bytes(), set.main.bytes(), cutInTrack(set.scenario, track, kept)});
}

// 2,000 bytes of text: every header field and track entry reads 0x78787878, past
// the file's end, with media byte `media`.
Bytes textFile(uint8_t media) {
    Bytes text(2000, 'x');
    text[kMediaTypeOffset] = media;
    return text;
}

// "ゲーム" and "ゲ" with a byte no character has.
Bytes japaneseNames() {
    Disk disk;
    formatGameFs(disk);
    addFile(disk, "\x83Q\x81[\x83\x80", Bytes(10, 1), {20});
    addFile(disk, "\x83Q\xFF", Bytes(10, 2), {21});
    return disk.bytes();
}

const LinesCase linesCases[] = {
    {"TextFileIsNoImage", [] { return textFile('x'); },
     {"not a D88 image: disk 1's track table points outside the disk, and its media byte 0x78 "
      "is none a D88 writer uses\n"},
     {},
     1},
    {"TextFileWithAWritersMediaByteIsNoImage", [] { return textFile(kMedia2D); },
     {"disks: 1\nnot a D88 image: disk 1's track table points outside the disk, and its size, "
      "2021161080 bytes, runs past the end of the file\n\ndisk 1\n"},
     {"--raw"},
     1},
    {"SizeSmallerThanAHeaderIsNoImage",
     [] {
         Disk disk;
         disk.setSizeField(600);
         return disk.bytes();
     },
     {"not a D88 image: disk 1's size, 600 bytes, is smaller than a disk header (688 bytes)\n"
      "\ndisk 1\n  offset: 0\n  size: 600\n"},
     {"--raw"},
     1},
    {"ImageCutShortSaysByHowMuch",
     [] {
         Bytes image = sampleImage();
         image.resize(100000);
         return image;
     },
     {"disks: 1\n\ndisk 1\n  offset: 0\n  size: 348848 (cut short: past the end of the file by "
      "248848 bytes)\n",
      "  tracks: 22 (cut short: 22; missing: 23-79)\n  sectors per track: 14-16\n"}},
    {"TrackZeroMissing",
     [] {
         SampleSet set = makeSampleSet();
         set.main.removeTrack(0);
         return set.main.bytes();
     },
     {"  tracks: 79 (missing: 0)\n"}},
    {"OtherDataInTheDirectoryIsNotThisFileSystem", otherDataDisk,
     {"  directory: not this file system (only 1 of 48 used entries have a name that ends and a "
      "chain that ends)\n"}},
    {"OtherSystemsDirectoryInOneLine", otherSystemsDisk,
     {"  directory: not this file system (every used entry is one byte repeated)\n",
      "  role: none\n\ndemo disks: none\n"}},
    {"UnknownMediaByteWithAWritersTrackTableListsAsBefore",
     [] {
         Disk disk;
         disk.setMediaType(0x58);
         return disk.bytes();
     },
     {"disks: 1\n\ndisk 1\n", "  media: 0x58\n"}},
    {"MainDiskMissing",
     [] {
         SampleSet set = makeSampleSet();
         return concat({&set.demo, &set.scenario});
     },
     {"disk 2\n  offset: 348848\n  size: 348848\n  name: \"SCENARIO\"\n",
      "  bgmscore: listed (not searched: no main disk)\n  role: none\n",
      "\ndemo disks: 1\nmain disk: none\nscenario disk: 2 (not searched: no main disk)\n"}},
    {"DiskWithoutADirectory",
     [] {
         SampleSet set = makeSampleSet();
         set.main.removeTrack(kSystemTrack);
         return concat({&set.demo, &set.main, &set.scenario});
     },
     {"disk 2\n", "  tracks: 79 (missing: 40)\n",
      "  directory: unreadable (track 40 is missing from the track table)\n"
      "  startup: not listed\n  bgmscore: not listed\n"
      "  role: none\n\ndisk 3\n",
      "main disk: none\nscenario disk: 3 (not searched: no main disk)\n"}},
    {"LoopingChain",
     [] {
         SampleSet set = makeSampleSet();
         setAllocation(set.main, 90, 12);  // startup: 12 30 13 90, back to 12
         return concat({&set.demo, &set.main, &set.scenario});
     },
     {"disk 2\n",
      "  entry  1: \"startup\"   size  8500  first cluster  12  chain   4"
      "  [loops back to cluster 12]  [short: size needs 5 clusters]\n",
      "main disk: 2\n"}},
    {"ChainOntoAnAbsentTrack",
     [] {
         SampleSet set = makeSampleSet();
         set.scenario.removeTrack(50);  // clusters 100 and 101 of bgmscore
         return concat({&set.demo, &set.main, &set.scenario});
     },
     {"disk 3\n", "  tracks: 79 (missing: 50)\n",
      "  entry  2: \"bgmscore\"  size 50000  first cluster  60  chain  25"
      "  [cluster 100 on absent track 50]\n",
      "scenario disk: 3\n"}},
    {"ChainShorterThanItsSize",
     [] {
         SampleSet set = makeSampleSet();
         setAllocation(set.scenario, 22, kEndOfChain);  // sud_data: 44 22, not 45
         return concat({&set.demo, &set.main, &set.scenario});
     },
     {"disk 3\n",
      "  entry  0: \"sud_data\"  size  5000  first cluster  44  chain   2"
      "  [short: size needs 3 clusters]\n"}},
    {"EightCharacterNameWithoutAnEnd",
     [] {
         SampleSet set = makeSampleSet();
         Bytes entry = entryBytes(set.scenario, 2);
         setEntry(set.scenario, 2, "bgmscore", static_cast<uint16_t>(set.bgmscore.size()),
                  entry[kEntryFirstCluster], 1);
         return concat({&set.demo, &set.main, &set.scenario});
     },
     {"disk 3\n", "  bgmscore: not listed\n  role: none\n",
      "  entry  2: \"bgmscore\"  size 50000  first cluster  60  chain  25"
      "  [no 0 after the name: recognition misses it]\n",
      "scenario disk: none\n"}},
    {"OnlyTheFirstDiskListingStartupIsTheMainDisk",
     [] {
         SampleSet set = makeSampleSet();
         return concat({&set.demo, &set.main, &set.main, &set.scenario});
     },
     {"disk 2\n", "  role: main disk\n", "disk 3\n",
      "  startup: listed (disk 2 comes first)\n  bgmscore: not listed\n  role: none\n",
      "main disk: 2\nscenario disk: 4\n"}},
    {"DemoDiskListingStartupIsNoCandidate",
     [] {
         SampleSet set = makeSampleSet();
         formatGameFs(set.demo);
         addFile(set.demo, "startup", set.startup, {100, 101, 102, 103, 104});
         return concat({&set.demo, &set.main, &set.scenario});
     },
     {"disk 1\n", "  directory: 1 entry used\n",
      "  startup: listed (demo disk: no main-disk candidate)\n  bgmscore: not listed\n"
      "  role: demo disk\n",
      "main disk: 2\n"}},
    {"MainDiskIsAlsoTheScenarioDisk",
     [] {
         SampleSet set = makeSampleSet();
         addBgmscore(set.main, set);
         return concat({&set.demo, &set.main});
     },
     {"disk 2\n", "  startup: listed\n  bgmscore: listed\n  role: main disk, scenario disk\n",
      "demo disks: 1\nmain disk: 2\nscenario disk: 2\n"}},
    {"EveryDemoDiskIsCut",
     [] {
         SampleSet set = makeSampleSet();
         return concat({&set.demo, &set.main, &set.demo, &set.scenario});
     },
     {"disk 3\n", "  role: demo disk\n", "demo disks: 1 3\nmain disk: 2\nscenario disk: 4\n"}},
    // ---- What the directory is
    {"TrackStoringFewerSectorsThanItNames",
     [] {
         Disk disk = huBasicDisk(1);
         disk.track(79).resize(1);
         return disk.bytes();
     },
     {"  tracks: 80 (track 79: 1 of 16 sectors stored)\n  sectors per track: 1-16\n",
      "  directory: not this file system (every used entry is one byte repeated)\n"
      "  file system: Hu-BASIC (1 file)\n  startup: not listed\n"}},
    {"Fat12DiskNamedWithItsFacts", [] { return fat12Disk({}).bytes(); },
     {"  directory: not this file system (track 40 holds 9 sectors of 512 bytes)\n"
      "  file system: FAT12 (volume label \"WORK DISK\", 2 files, 1 deleted entry, "
      "the two FATs agree)\n"}},
    {"NineSectorsOf512BytesIsNotThisFileSystem", [] { return uniformDisk(9, 2, 0xF6).bytes(); },
     {"  tracks: 80\n  sectors per track: 9\n  sector sizes: 512\n  demo signature: no\n"
      "  directory: not this file system (track 40 holds 9 sectors of 512 bytes)\n"
      "  startup: not listed\n"}},
    {"AllZeroTrackIsZeroFill", [] { return zeroDisk().bytes(); },
     {"  directory: not this file system (zero fill)\n"
      "  startup: not listed\n  bgmscore: not listed\n  role: none\n\ndemo disks: none\n"}},
    {"LargestSectorSizeByItsLength", [] { return largestSectorSizes().bytes(); },
     {"  sectors per track: 1-16\n  sector sizes: 256 32768 N=9\n"}},
    // ---- Images cut short: the files they damage
    {"CutShortFlagsTheFilesItReachesAndMarksTheirHashes",
     [] { return sampleCutInScenarioTrack(76, 0); },
     {"disk 3\n", "  size: 348848 (cut short: past the end of the file by 17408 bytes)\n",
      "  tracks: 76 (missing: 76-79)\n",
      "  entry  2: \"bgmscore\"  size 50000  first cluster  60  chain  25\n    hashes: crc32 ",
      "  entry  3: \"savedat\"   size  3000  first cluster 153  chain   2"
      "  [cluster 153 on track 76, past the end of the file]\n    damaged copy's hashes: crc32 ",
      "scenario disk: 3\n"},
     {"--hash"}},
    {"CutInsideATrackOfAFile", [] { return sampleCutInScenarioTrack(76, 2000); },
     {"  tracks: 76 (cut short: 76; missing: 77-79)\n",
      "  entry  3: \"savedat\"   size  3000  first cluster 153  chain   2"
      "  [cluster 153 on track 76, cut short by the end of the file]\n"}},
    {"CutInsideAFileQueltCuts", [] { return sampleCutInScenarioTrack(41, 1000); },
     {"  entry  2: \"bgmscore\"  size 50000  first cluster  60  chain  25"
      "  [cluster 100 on track 50, past the end of the file]\n",
      "scenario disk: 3\ndamaged outputs: bgmscore\n"}},
    {"SectorMissingInAFile",
     [] {
         Disk disk = gameDisk();
         disk.removeSector(10, 12);
         return disk.bytes();
     },
     {"  directory: 1 entry used\n",
      "  entry  0: \"notes\"     size  3000  first cluster  20  chain   2"
      "  [cluster 21: sector 12 of track 10 cannot be read whole]\n"}},
    {"JapaneseNamesInUtf8", japaneseNames,
     // Each kana is two columns wide: the fields line up by display width.
     {"  entry  0: \"\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\"    size",
      "  entry  1: \"\xE3\x82\xB2\\xFF\"    size"},
     {"--utf8"}},
    {"JapaneseNamesDecodedInAUtf8Locale", japaneseNames,
     {"  entry  0: \"\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\"    size"},
     {},
     0,
     "C.UTF-8"},
    {"EscapedNamesWhateverTheLocale", japaneseNames,
     {"  entry  0: \"\\x83Q\\x81[\\x83\\x80\"  size", "  entry  1: \"\\x83Q\\xFF\"  size"},
     {"--escaped"},
     0,
     "C.UTF-8"},
};

class QueltLsLines : public testing::TestWithParam<LinesCase> {};

TEST_P(QueltLsLines, TellsWhatQueltMakesOfTheImage) {
    const LinesCase& expected = GetParam();
    std::vector<std::string> args = expected.options;
    args.push_back(kImageName);
    Surroundings around;
    around.locale = expected.locale;
    ToolRun run = runInFreshFolder(QUELT_LS_PROGRAM, expected.image(), args, {}, around);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, expected.status);
    EXPECT_TRUE(run.files.empty());
    const std::string newline = asTextStream("\n");
    const std::string out = newline + run.out;
    std::size_t from = 0;
    for (const std::string& text : expected.texts) {
        // A text starts at the beginning of a line; the next may start on the
        // line after its last one, so the search goes on at its last newline.
        const std::string needle = asTextStream("\n" + text);
        std::size_t at = out.find(needle, from);
        ASSERT_NE(at, std::string::npos) << "missing after the earlier texts:\n"
                                         << text << "in:\n" << run.out;
        from = at + needle.size() - newline.size();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, QueltLsLines, testing::ValuesIn(linesCases),
                         [](const testing::TestParamInfo<LinesCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace queltests
