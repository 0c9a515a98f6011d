// Paths the companions build and give to the system: a folder and a name
// joined by the native separator, a path's folder part, and the
// extended-length form that reaches past 260 characters on Windows.
#include <gtest/gtest.h>

#include <string>

#include "companion/native_path.h"
#include "support/row_name.h"

namespace {

using queltests::rowName;

// A row's answer on this system: POSIX systems' or Windows'.
struct Native {
    std::string posix;
    std::string windows;
    const std::string& here() const {
#ifdef _WIN32
        return windows;
#else
        return posix;
#endif
    }
};

struct JoinCase {
    const char* name;
    std::string folder;
    std::string file;
    Native joined;
};

void PrintTo(const JoinCase& joinCase, std::ostream* out) {
    *out << joinCase.name;
}

const JoinCase joinCases[] = {
    {"FolderAndName", "out", "notes", {"out/notes", "out\\notes"}},
    {"CurrentFolderIsNoFolder", "", "notes", {"notes", "notes"}},
    {"FolderEndingInSlash", "out/", "notes", {"out/notes", "out/notes"}},
    {"FolderEndingInBackslash", "out\\", "notes", {"out\\/notes", "out\\notes"}},
    {"Dot", ".", "image.d88", {"./image.d88", ".\\image.d88"}},
    {"JapaneseFolder", "\xE5\x8F\x96\xE3\x82\x8A\xE5\x87\xBA\xE3\x81\x97", "savedat",
     {"\xE5\x8F\x96\xE3\x82\x8A\xE5\x87\xBA\xE3\x81\x97/savedat",
      "\xE5\x8F\x96\xE3\x82\x8A\xE5\x87\xBA\xE3\x81\x97\\savedat"}},
};

class PathInFolder : public testing::TestWithParam<JoinCase> {};

TEST_P(PathInFolder, JoinsWithTheNativeSeparator) {
    EXPECT_EQ(pathInFolder(GetParam().folder, GetParam().file), GetParam().joined.here());
}

INSTANTIATE_TEST_SUITE_P(Rows, PathInFolder, testing::ValuesIn(joinCases), rowName);

struct FolderPartCase {
    const char* name;
    std::string path;
    Native folder;
};

void PrintTo(const FolderPartCase& folderCase, std::ostream* out) {
    *out << folderCase.name;
}

const FolderPartCase folderPartCases[] = {
    {"NameAlone", "set.d88", {"", ""}},
    {"AfterASlash", "images/set.d88", {"images/", "images/"}},
    {"AfterABackslash", "images\\*.d88", {"", "images\\"}},
    {"AfterADrive", "C:*.d88", {"", "C:"}},
    {"TheLastSeparator", "a/b\\c", {"a/", "a/b\\"}},
};

class FolderPart : public testing::TestWithParam<FolderPartCase> {};

TEST_P(FolderPart, EndsAtTheLastSeparator) {
    EXPECT_EQ(folderPartOf(GetParam().path), GetParam().folder.here());
}

INSTANTIATE_TEST_SUITE_P(Rows, FolderPart, testing::ValuesIn(folderPartCases), rowName);

struct ExtendedCase {
    const char* name;
    std::wstring full;
    std::wstring extended;
};

void PrintTo(const ExtendedCase& extendedCase, std::ostream* out) {
    *out << extendedCase.name;
}

const ExtendedCase extendedCases[] = {
    {"DrivePath", L"C:\\images\\set.d88", L"\\\\?\\C:\\images\\set.d88"},
    {"NetworkShare", L"\\\\server\\share\\set.d88", L"\\\\?\\UNC\\server\\share\\set.d88"},
    {"DeviceStays", L"\\\\.\\NUL", L"\\\\.\\NUL"},
    {"ExtendedStays", L"\\\\?\\C:\\set.d88", L"\\\\?\\C:\\set.d88"},
};

class ExtendedLengthPath : public testing::TestWithParam<ExtendedCase> {};

TEST_P(ExtendedLengthPath, ReachesPastTheLengthLimit) {
    EXPECT_EQ(extendedLengthPath(GetParam().full), GetParam().extended);
}

INSTANTIATE_TEST_SUITE_P(Rows, ExtendedLengthPath, testing::ValuesIn(extendedCases), rowName);

}  // namespace
