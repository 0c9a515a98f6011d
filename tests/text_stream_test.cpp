// Where a companion's text goes: a console is shown whole lines of characters,
// a file or a pipe gets the UTF-8 bytes. A console cannot be faked for a run of
// a program, so the choice is tried on the stream itself, with a console of the
// test's own.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "companion/text_stream.h"
#include "support/row_name.h"

namespace {

using queltests::rowName;

// What a console was shown, call by call; it fails every call when told to.
struct Shown {
    std::vector<std::string> calls;
    bool failing = false;
};

class RecordingConsole : public Console {
public:
    explicit RecordingConsole(Shown& shown) : shown_(shown) {}
    bool show(const std::string& text, SystemError& why) override {
        shown_.calls.push_back(text);
        why = {SystemError::Kind::errnoValue, EIO};
        return !shown_.failing;
    }

private:
    Shown& shown_;
};

struct StreamCase {
    const char* name;
    bool console;
    std::vector<std::string> writes;
    bool flushed;
    std::vector<std::string> shown;  // what the console shows, call by call
    std::string bytes;               // what the file holds
};

void PrintTo(const StreamCase& streamCase, std::ostream* out) {
    *out << streamCase.name;
}

// "ゲーム" in UTF-8, and its first character cut after two of its three bytes.
const std::string game = "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0";
const std::string cutGe = "\xE3\x82";

const StreamCase streamCases[] = {
    {"FileGetsTheUtf8Bytes", false, {"disk 1\n", game, "\n"}, true, {}, "disk 1\n" + game + "\n"},
    {"FileGetsThemWithoutAFlushToo", false, {game}, false, {}, game},
    {"ConsoleIsShownWholeLines", true, {"  name: ", game, "\n", "x"}, false,
     {"  name: " + game + "\n"}, ""},
    {"ConsoleIsShownTheRestOnAFlush", true, {"a\nb\nc", "d"}, true, {"a\nb\n", "cd"}, ""},
    {"CharacterCutBetweenWritesIsShownWhole", true, {cutGe, "\xB2\n"}, false, {"\xE3\x82\xB2\n"},
     ""},
    {"NothingIsShownBeforeALineEnds", true, {"quelt-ls: ", game}, false, {}, ""},
};

class TextStreamChoice : public testing::TestWithParam<StreamCase> {};

TEST_P(TextStreamChoice, ShowsOrWritesExactly) {
    const StreamCase& c = GetParam();
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    Shown shown;
    {
        std::unique_ptr<Console> console(c.console ? new RecordingConsole(shown) : nullptr);
        TextStream stream(file, std::move(console));
        for (const std::string& text : c.writes) {
            stream.write(text);
        }
        if (c.flushed) {
            EXPECT_TRUE(stream.flush());
        }
    }
    std::fflush(file);
    std::rewind(file);
    std::string bytes;
    for (int byte = std::fgetc(file); byte != EOF; byte = std::fgetc(file)) {
        bytes += static_cast<char>(byte);
    }
    std::fclose(file);
    EXPECT_EQ(shown.calls, c.shown);
    EXPECT_EQ(bytes, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Rows, TextStreamChoice, testing::ValuesIn(streamCases), rowName);

// A console that refuses the text fails the flush with its reason, once.
TEST(TextStream, ConsoleThatFailsFailsTheFlushWithItsReason) {
    Shown shown;
    shown.failing = true;
    TextStream stream(stdout, std::unique_ptr<Console>(new RecordingConsole(shown)));
    stream.write("line\n");
    EXPECT_FALSE(stream.flush());
    EXPECT_EQ(stream.error().code, EIO);
    EXPECT_EQ(shown.calls, std::vector<std::string>{"line\n"});
}

}  // namespace
