// names/ on its own: every rule that turns a disk's name bytes, typed names and
// paths into text and back, called directly, a table row per case, so that a
// fault there fails here without a program run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <iconv.h>
#endif

#include "names/escapes.h"
#include "names/member_names.h"
#include "names/shift_jis.h"
#include "names/shown_names.h"
#include "names/typed_names.h"
#include "names/unicode.h"
#include "names/written_names.h"
#include "support/printf_decoded.h"
#include "support/row_name.h"

namespace {

using queltests::rowName;
using Names = std::vector<std::string>;

// Characters in UTF-8: ゲーム, ソ (its Shift_JIS trail byte is 0x5C), ミ (0x7E),
// half-width ｱ, ケ with the separate voicing mark (NFD ゲ), and ～ as code page
// 932 decodes 0x8160.
const char* const game = "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0";
const char* const gameShiftJis = "\x83Q\x81[\x83\x80";
const char* const gameDecomposed = "\xE3\x82\xB1\xE3\x82\x99\xE3\x83\xBC\xE3\x83\xA0";
const char* const so = "\xE3\x82\xBD", *const mi = "\xE3\x83\x9F";
const char* const halfWidthA = "\xEF\xBD\xB1", *const fullWidthTilde = "\xEF\xBD\x9E";

// ---- A disk's name bytes as listed and as written

struct NameRow {
    const char* name;
    std::string bytes;
    std::string escaped;     // listed, escaped form
    std::string decoded;     // listed, decoded form
    std::string written;     // written, escaped form
    std::string writtenUtf8; // written, decoded form
};
void PrintTo(const NameRow& row, std::ostream* out) {
    *out << row.name;
}

const NameRow nameRows[] = {
    {"Ascii", "notes", "notes", "notes", "notes", "notes"},
    {"QuoteAndBackslash", "a\"\\", "a\\x22\\x5C", "a\\x22\\x5C", "a%22%5C", "a%22%5C"},
    {"Kana", gameShiftJis, "\\x83Q\\x81[\\x83\\x80", game, "%83Q%81[%83%80", game},
    {"TrailByte5C", "\x83\x5C", "\\x83\\x5C", so, "%83%5C", so},
    {"TrailByte7E", "\x83~", "\\x83~", mi, "%83~", mi},
    {"HalfWidthKatakana", "\xB1", "\\xB1", halfWidthA, "%B1", halfWidthA},
    {"InvalidLeadBytes", "\x80\xA0\xFD", "\\x80\\xA0\\xFD", "\\x80\\xA0\\xFD", "%80%A0%FD",
     "%80%A0%FD"},
    {"UserDefinedCharacters", "\xF0\xF1\xF9\x40", "\\xF0\\xF1\\xF9@", "\\xF0\\xF1\\xF9@",
     "%F0%F1%F9@", "%F0%F1%F9@"},
    {"InvalidTrailByte", "\x83\x7F", "\\x83\\x7F", "\\x83\\x7F", "%83%7F", "%83%7F"},
    {"LeadByteAtTheEnd", "a\x83", "a\\x83", "a\\x83", "a%83", "a%83"},
    {"DecodedThenInvalid", "\x83Q\xFF", "\\x83Q\\xFF", "\xE3\x82\xB2\\xFF", "%83Q%FF",
     "\xE3\x82\xB2%FF"},
    {"CodePage932Tilde", "\x81\x60", "\\x81`", fullWidthTilde, "%81`", fullWidthTilde},
    {"DeviceName", "con.txt", "con.txt", "con.txt", "con_.txt", "con_.txt"},
    {"NumberedDeviceName", "LPT1", "LPT1", "LPT1", "LPT1_", "LPT1_"},
    {"NoDeviceName", "com0.x", "com0.x", "com0.x", "com0.x", "com0.x"},
    {"OnlyDots", "..", "..", "..", "%2E%2E", "%2E%2E"},
    {"LastDotAndSpace", "a. b ", "a. b ", "a. b ", "a. b%20", "a. b%20"},
    {"StandardOutputName", "-", "-", "-", "%2D", "%2D"},
    {"SeparatorsAndPercent", "a/b\\c:50%", "a/b\\x5Cc:50%", "a/b\\x5Cc:50%", "a%2Fb%5Cc%3A50%25",
     "a%2Fb%5Cc%3A50%25"},
};

class NameForms : public testing::TestWithParam<NameRow> {};

TEST_P(NameForms, ListAndWriteEachByte) {
    const NameRow& row = GetParam();
    EXPECT_EQ(listedNameText(row.bytes, NameForm::escaped), row.escaped);
    EXPECT_EQ(listedNameText(row.bytes, NameForm::utf8), row.decoded);
    EXPECT_EQ(writtenNameFor(row.bytes, NameForm::escaped), row.written);
    EXPECT_EQ(writtenNameFor(row.bytes, NameForm::utf8), row.writtenUtf8);
}

INSTANTIATE_TEST_SUITE_P(Rows, NameForms, testing::ValuesIn(nameRows), rowName);

// ---- Typed names: the bytes they stand for

struct TypedRow {
    const char* name;
    std::string typed;
    std::string bytes;  // the last candidate: typed made canonical, encoded, escapes read
};
void PrintTo(const TypedRow& row, std::ostream* out) {
    *out << row.name;
}

const TypedRow typedRows[] = {
    {"Escapes", "\\x82\\xa0x", "\x82\xA0x"},
    {"Utf8", game, gameShiftJis},
    {"Decomposed", gameDecomposed, gameShiftJis},
    {"TrailByte5C", so, "\x83\x5C"},
    {"HalfWidthKatakana", halfWidthA, "\xB1"},
    {"WaveDash", "\xE3\x80\x9C", "\x81\x60"},
    {"MinusSign", "\xE2\x88\x92", "\x81\x7C"},
    {"DoubleVerticalLine", "\xE2\x80\x96", "\x81\x61"},
    {"CentSign", "\xC2\xA2", "\x81\x91"},
    {"PoundSign", "\xC2\xA3", "\x81\x92"},
    {"NotSign", "\xC2\xAC", "\x81\xCA"},
    {"EmDash", "\xE2\x80\x94", "\x81\x5C"},
    {"EscapedBytesAreNotUtf8", "\\xE3\\x82\\xB2", "\xE3\x82\xB2"},
    {"InvalidUtf8StaysAsItIs", "\xF5\x80\x80\x80", "\xF5\x80\x80\x80"},
};

class TypedNames : public testing::TestWithParam<TypedRow> {};

TEST_P(TypedNames, StandForTheDisksBytes) {
    const TypedRow& row = GetParam();
    const std::vector<std::string> candidates = bytesOfTypedName(row.typed);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates.back(), row.bytes);
}

INSTANTIATE_TEST_SUITE_P(Rows, TypedNames, testing::ValuesIn(typedRows), rowName);

TEST(TypedNames, CanonicalKeepsBytesThatAreNotUtf8) {
    EXPECT_EQ(canonicalTyped(std::string("\xFF") + gameDecomposed + "\xE3\x80\x9C"),
              std::string("\xFF") + game + fullWidthTilde);
}

// Each variant's bytes decode to its code page 932 form on every system (the
// typed forms are TypedNames' rows).
TEST(CodePage932Variants, DecodeToTheirCodePage932Forms) {
    for (const CodePage932Variant& variant : codePage932Variants) {
        EXPECT_EQ(listedNameText(variant.shiftJis, NameForm::utf8), variant.decoded);
    }
}

#ifndef _WIN32
// The system's own decoding, apart from names/'s use of it.
std::string iconvDecoded(const char* from, std::string bytes) {
    std::string text(16, '\0');
    char* places[] = {&bytes[0], &text[0]};
    std::size_t left[] = {bytes.size(), text.size()};
    iconv_t converter = iconv_open("UTF-8", from);
    iconv(converter, &places[0], &left[0], &places[1], &left[1]);
    iconv_close(converter);
    text.resize(text.size() - left[1]);
    return text;
}

// The hand-kept table against the system's two mappings: glibc's SHIFT_JIS
// (the JIS form) gives the first six; its CP932 every decoded form.
TEST(CodePage932Variants, AgreeWithTheSystemsConverters) {
    for (const CodePage932Variant& variant : codePage932Variants) {
        EXPECT_EQ(iconvDecoded("CP932", variant.shiftJis), variant.decoded);
    }
    for (std::size_t i = 0; i < 6; ++i) {
        const CodePage932Variant& variant = codePage932Variants[i];
        EXPECT_EQ(iconvDecoded("SHIFT_JIS", variant.shiftJis), variant.typed);
    }
}
#endif

// ---- Strict UTF-8

// A text and a number the rule gives it: a character's length, a width.
struct CountRow {
    const char* name;
    std::string text;
    std::size_t count;
};
void PrintTo(const CountRow& row, std::ostream* out) {
    *out << row.name;
}

const CountRow utf8Rows[] = {
    {"Ascii", "A", 1},
    {"TwoBytes", "\xC2\x80", 2},
    {"ThreeBytes", "\xE3\x82\xB2", 3},
    {"FourBytes", "\xF0\x90\x80\x80", 4},
    {"LargestCodePoint", "\xF4\x8F\xBF\xBF", 4},
    {"ContinuationByte", "\x80", 0},
    {"OverlongTwoBytes", "\xC0\x80", 0},
    {"OverlongThreeBytes", "\xE0\x80\x80", 0},
    {"OverlongFourBytes", "\xF0\x80\x80\x80", 0},
    {"Surrogate", "\xED\xA0\x80", 0},
    {"AboveU10FFFF", "\xF4\x90\x80\x80", 0},
    {"LeadF5", "\xF5\x80\x80\x80", 0},
    {"LeadF8", "\xF8\x88\x80\x80\x80", 0},
    {"LeadFF", "\xFF\x80\x80\x80", 0},
    {"CutShort", "\xE3\x82", 0},
    {"BadContinuation", "\xE3\x82\x41", 0},
};

class Utf8Characters : public testing::TestWithParam<CountRow> {};

TEST_P(Utf8Characters, AreReadStrictly) {
    const CountRow& row = GetParam();
    EXPECT_EQ(utf8CharacterLength(row.text, 0), row.count);
    EXPECT_EQ(isValidUtf8(row.text), row.count == row.text.size());
}

INSTANTIATE_TEST_SUITE_P(Rows, Utf8Characters, testing::ValuesIn(utf8Rows), rowName);

// ---- Paths in lines, columns and JSON

struct PathRow {
    const char* name;
    std::string path;
    std::string line;
    std::string column;
    std::string unicode;
};
void PrintTo(const PathRow& row, std::ostream* out) {
    *out << row.name;
}

const PathRow pathRows[] = {
    {"Plain", "images/set.d88", "images/set.d88", "images/set.d88", "images/set.d88"},
    {"Japanese", game, game, game, game},
    {"Newline", "a\nb", "a\\x0Ab", "a\\x0Ab", "a\nb"},
    {"TabAndDelete", "a\t\x7F", "a\\x09\\x7F", "a\\x09\\x7F", "a\t\x7F"},
    {"Backslash", "a\\x0Ab", "a\\x0Ab", "a\\\\x0Ab", "a\\x0Ab"},
    {"ShiftJis", "a\x83Q.d88", "a\\x83Q.d88", "a\\x83Q.d88", "a\xEF\xBF\xBDQ.d88"},
    {"InvalidLeadByte", "\xF5\x80", "\\xF5\\x80", "\\xF5\\x80", "\xEF\xBF\xBD\xEF\xBF\xBD"},
};

class PathTexts : public testing::TestWithParam<PathRow> {};

TEST_P(PathTexts, KeepOneLineAndColumnsReversible) {
    const PathRow& row = GetParam();
    EXPECT_EQ(pathForLine(row.path), row.line);
    EXPECT_EQ(pathForColumn(row.path), row.column);
    EXPECT_EQ(pathAsUnicode(row.path), row.unicode);
    EXPECT_EQ(unescapedHex(hexOfBytes(row.path), ""), row.path);
}

INSTANTIATE_TEST_SUITE_P(Rows, PathTexts, testing::ValuesIn(pathRows), rowName);

// Every byte after every other, and after a backslash: no two paths share a column.
TEST(PathTexts, ColumnGivesEveryPathBack) {
    for (int first = 1; first < 256; ++first) {
        for (int second : {0x5C, 0x78, 0x83, first}) {
            const std::string path = {static_cast<char>(first), '\\', static_cast<char>(second),
                                      '4', '1'};
            EXPECT_EQ(queltests::printfDecoded(pathForColumn(path)), path) << hexOfBytes(path);
        }
    }
}

// ---- Hex

TEST(HexCodec, EscapesAndDumps) {
    EXPECT_EQ(hexEscape("%", 0x8A), "%8A");
    EXPECT_EQ(hexOfBytes("\x83Q"), "8351");
    EXPECT_EQ(unescapedHex("%83%5c%zz%4", "%"), "\x83\x5C%zz%4");
    EXPECT_EQ(withUpperCaseEscapes("%83%5cq%", "%"), "%83%5Cq%");
    EXPECT_EQ(hexDigitValue('f'), 15);
    EXPECT_EQ(hexDigitValue('g'), -1);
}

// ---- Width and normalisation

const CountRow widthRows[] = {
    {"Ascii", "\"notes\"", 7},
    {"Kana", game, 6},
    {"HalfWidthKatakana", halfWidthA, 1},
    {"FullWidthTilde", fullWidthTilde, 2},
    {"Decomposed", gameDecomposed, 6},
    {"ByteThatIsNotUtf8", "\xFF", 1},
};

class DisplayWidths : public testing::TestWithParam<CountRow> {};

TEST_P(DisplayWidths, CountColumns) {
    const CountRow& row = GetParam();
    EXPECT_EQ(displayWidth(row.text), row.count);
    EXPECT_EQ(displayWidth(paddedToWidth(row.text, 10)), std::max<std::size_t>(row.count, 10));
}

INSTANTIATE_TEST_SUITE_P(Rows, DisplayWidths, testing::ValuesIn(widthRows), rowName);

// ---- Patterns

struct PatternRow {
    const char* name;
    std::string pattern;
    std::string text;
    EscapeNotation notation;
    bool matches;
};
void PrintTo(const PatternRow& row, std::ostream* out) {
    *out << row.name;
}

const PatternRow patternRows[] = {
    {"Star", "no*", "notes", EscapeNotation::listed, true},
    {"QuestionIsOneEscape", "?x", "\\x82x", EscapeNotation::listed, true},
    {"QuestionIsOneCharacter", "?", so, EscapeNotation::listed, true},
    {"ListedHexInEitherCase", "\\x82\\xa0*", "\\x82\\xA0x", EscapeNotation::listed, true},
    {"WrittenHexInEitherCase", "%83%5c*", "%83%5Cabc", EscapeNotation::written, true},
    {"QuestionIsOnePercentEscape", "?abc", "%83abc", EscapeNotation::written, true},
    {"PercentIsNoEscapeInListedNames", "50%", "50%", EscapeNotation::listed, true},
    {"LiteralStar", "\\x2A", "*", EscapeNotation::listed, false},
    {"NoMatch", "zz*", "notes", EscapeNotation::listed, false},
};

class Patterns : public testing::TestWithParam<PatternRow> {};

TEST_P(Patterns, MatchByCharacters) {
    const PatternRow& row = GetParam();
    EXPECT_EQ(patternMatches(row.pattern, row.text, row.notation), row.matches);
}

INSTANTIATE_TEST_SUITE_P(Rows, Patterns, testing::ValuesIn(patternRows), rowName);

// ---- A disk's files found by what the programs showed or wrote

// 0xFB86 decodes to U+FA1C, a compatibility ideograph, which normalisation
// makes U+9756.
const Names diskFiles = {"notes",        "Notes", "\x83\x5C", "con.txt",
                         "\x83Q\xFF", "notes", "\x81\x60",  "\xFB\x86"};

TEST(DiskNames, WrittenNamesCountCopies) {
    EXPECT_EQ(writtenNamesOf(diskFiles, NameForm::escaped),
              (Names{"notes", "Notes~2", "%83%5C", "con_.txt", "%83Q%FF", "notes~3", "%81`",
                     "%FB%86"}));
}

struct WrittenRow {
    const char* name;
    std::string typed;
    int file;     // -1: none
    int ofStem;   // files written as the stem of a NAME~N
};
void PrintTo(const WrittenRow& row, std::ostream* out) {
    *out << row.name;
}

const WrittenRow writtenRows[] = {
    {"CopyNumber", "Notes~2", 1, 3},
    {"CopyNumberOtherCase", "NOTES~3", -1, 3},
    {"CopyNumberPastTheFiles", "notes~4", -1, 3},
    {"EscapedTrailByte5C", "%83%5C", 2, 0},
    {"EscapeDigitsInLowerCase", "%83%5c", 2, 0},
    {"DecodedTrailByte5C", so, 2, 0},
    {"DeviceName", "con_.txt", 3, 0},
    {"DecodedThenEscaped", "\xE3\x82\xB2%ff", 4, 0},
    {"WaveDashForTheTilde", "\xE3\x80\x9C", 6, 0},
    {"CompatibilityIdeograph", "\xEF\xA8\x9C", 7, 0},
    {"CompatibilityIdeographNormalised", "\xE9\x9D\x96", 7, 0},
    {"NoSuchStem", "zz~2", -1, 0},
    {"NotACopyNumber", "notes~1", -1, 0},
};

class WrittenNames : public testing::TestWithParam<WrittenRow> {};

TEST_P(WrittenNames, FindTheirFilesAgain) {
    const WrittenRow& row = GetParam();
    const DiskNames names(diskFiles);
    EXPECT_EQ(names.fileWrittenAs(row.typed), row.file);
    EXPECT_EQ(names.filesWrittenAsStem(row.typed), row.ofStem);
}

INSTANTIATE_TEST_SUITE_P(Rows, WrittenNames, testing::ValuesIn(writtenRows), rowName);

// "con_.txt" is both the name written for "con.txt" and the next file's bytes.
const Names namedFiles = {"con.txt", "con_.txt", gameShiftJis, "notes", "Notes"};

struct NamedRow {
    const char* name;
    std::string typed;
    int file;           // -1: none
    int writtenAsStem;  // when none
};
void PrintTo(const NamedRow& row, std::ostream* out) {
    *out << row.name;
}

const NamedRow namedRows[] = {
    {"BytesBeatWrittenName", "con_.txt", 1, 0},
    {"WrittenName", "%83Q%81[%83%80", 2, 0},
    {"ShiftJisCandidate", game, 2, 0},
    {"ShiftJisCandidateComposed", gameDecomposed, 2, 0},
    {"EscapedBytes", "\\x83Q\\x81[\\x83\\x80", 2, 0},
    {"CopyNumber", "Notes~2", 4, 0},
    {"NoneWithStemCount", "notes~3", -1, 2},
    {"None", "zz", -1, 0},
    {"Empty", "", -1, 0},
    {"NulByteEndsNoName", "notes\\x00", -1, 0},
};

class NamedFiles : public testing::TestWithParam<NamedRow> {};

TEST_P(NamedFiles, AreFoundByBytesThenAsWritten) {
    const NamedRow& row = GetParam();
    const NamedFile named = DiskNames(namedFiles).fileNamed(row.typed);
    EXPECT_EQ(named.file, row.file);
    EXPECT_EQ(named.writtenAsStem, row.writtenAsStem);
}

INSTANTIATE_TEST_SUITE_P(Rows, NamedFiles, testing::ValuesIn(namedRows), rowName);

struct DiskPatternRow {
    const char* name;
    std::string pattern;
    std::vector<std::size_t> files;
};
void PrintTo(const DiskPatternRow& row, std::ostream* out) {
    *out << row.name;
}

const DiskPatternRow diskPatternRows[] = {
    {"WrittenEscapes", "%83%5C*", {2}},
    {"WrittenEscapesInLowerCase", "%83%5c*", {2}},
    {"ListedEscapes", "\\x83*", {2, 4}},
    {"CopyNumbers", "*~?", {1, 5}},
    {"Decoded", "\xE3\x82\xB2*", {4}},
    {"DecomposedPattern", "\xE3\x82\xB1\xE3\x82\x99?", {4}},
    {"WaveDash", "\xE3\x80\x9C*", {6}},
    {"DeviceNameAsWritten", "con_*", {3}},
};

class DiskPatterns : public testing::TestWithParam<DiskPatternRow> {};

TEST_P(DiskPatterns, MatchListedAndWrittenNames) {
    const DiskPatternRow& row = GetParam();
    EXPECT_EQ(DiskNames(diskFiles).matching(row.pattern), row.files);
}

INSTANTIATE_TEST_SUITE_P(Rows, DiskPatterns, testing::ValuesIn(diskPatternRows), rowName);

// ---- An archive member's name as listed, in JSON and typed back

// ゲーム表.d88: 表 is 0x95 0x5C in code page 932, its trail byte a backslash.
const char* const gameTable = "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\xE8\xA1\xA8.d88";
const char* const gameTableDecomposed =
    "\xE3\x82\xB1\xE3\x82\x99\xE3\x83\xBC\xE3\x83\xA0\xE8\xA1\xA8.d88";
const char* const gameTableShiftJis = "\x83Q\x81[\x83\x80\x95\x5C.d88";

struct MemberNameRow {
    const char* name;
    std::string bytes;
    bool unicode;         // as memberNameOfBytes takes the bytes
    std::string escaped;  // listed, escaped form
    std::string decoded;  // listed, decoded form
    std::string json;
    Names finds;          // typed forms that name it
    Names findsNot;
};
void PrintTo(const MemberNameRow& row, std::ostream* out) {
    *out << row.name;
}

const MemberNameRow memberNameRows[] = {
    {"ShiftJisWithTrailBackslash", gameTableShiftJis, false,
     "\\x83Q\\x81[\\x83\\x80\\x95\\x5C.d88", gameTable, gameTable,
     {gameTable, gameTableDecomposed, "\\x83Q\\x81[\\x83\\x80\\x95\\x5c.d88", gameTableShiftJis},
     {"\\x83Q\\x81[\\x83\\x80\\x95/.d88", "ゲーム.d88"}},
    {"Utf8", gameTable, true, "\\xE3\\x82\\xB2\\xE3\\x83\\xBC\\xE3\\x83\\xA0\\xE8\\xA1\\xA8.d88",
     gameTable, gameTable,
     {gameTable, gameTableDecomposed,
      "\\xe3\\x82\\xb2\\xe3\\x83\\xbc\\xe3\\x83\\xa0\\xe8\\xa1\\xa8.d88"},
     {gameTableShiftJis}},
    {"BytesOfNoCharacter", "\xFF\x80.d88", false, "\\xFF\\x80.d88", "\\xFF\\x80.d88",
     "\xEF\xBF\xBD\xEF\xBF\xBD.d88", {"\\xff\\x80.d88", "\xFF\x80.d88"}, {".d88"}},
    {"AsciiBackslashAndQuote", "a\\\"b.d88", true, "a\\x5C\\x22b.d88", "a\\x5C\\x22b.d88",
     "a\\\"b.d88", {"a\\x5C\\x22b.d88", "a\\\"b.d88"}, {"a/\"b.d88"}},
};

class MemberNames : public testing::TestWithParam<MemberNameRow> {};

TEST_P(MemberNames, ShowAndAreFoundAsDiskNames) {
    const MemberNameRow& row = GetParam();
    const MemberName name = memberNameOfBytes(row.bytes);
    EXPECT_EQ(name.unicode, row.unicode);
    EXPECT_EQ(memberNameText(name, NameForm::escaped), row.escaped);
    EXPECT_EQ(memberNameText(name, NameForm::utf8), row.decoded);
    EXPECT_EQ(memberNameUnicode(name), row.json);
    for (const std::string& typed : {row.escaped, row.decoded}) {
        EXPECT_TRUE(memberNameMatches(name, typed)) << typed;
    }
    for (const std::string& typed : row.finds) {
        EXPECT_TRUE(memberNameMatches(name, typed)) << typed;
    }
    for (const std::string& typed : row.findsNot) {
        EXPECT_FALSE(memberNameMatches(name, typed)) << typed;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, MemberNames, testing::ValuesIn(memberNameRows), rowName);
#ifdef _WIN32
// Redirected text on Windows, in the code page of a console: Windows' own
// mappings, and its default character for what a code page lacks.
struct CodePageRow {
    const char* name;
    std::string text;
    unsigned codePage;
    std::string bytes;
};

const CodePageRow codePageRows[] = {
    {"JapaneseInShiftJis", "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0", 932,
     "\x83\x51\x81\x5B\x83\x80"},
    {"FullWidthTildeAsWindowsMapsIt", "\xEF\xBD\x9E", 932, "\x81\x60"},
    {"LackedCharacterIsTheDefault", "\xE3\x82\xB2", 1252, "?"},
    {"AsciiAsItIs", "disk 1\n", 437, "disk 1\n"},
};

class CodePageText : public testing::TestWithParam<CodePageRow> {};

TEST_P(CodePageText, IsTheCodePagesBytes) {
    EXPECT_EQ(codePageOfUtf8(GetParam().text, GetParam().codePage), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Rows, CodePageText, testing::ValuesIn(codePageRows), rowName);
#endif

}  // namespace
