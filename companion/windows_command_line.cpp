// Windows' command-line rules, with the quotes remembered (see the header).
#include "companion/windows_command_line.h"

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program's name: no backslash is special in it.
std::size_t readProgramName(const std::string& line, CommandWord& word) {
    std::size_t at = 0;
    const bool quoted = !line.empty() && line[0] == '"';
    at += quoted ? 1 : 0;
    while (at < line.size() && (quoted ? line[at] != '"' : !isBlank(line[at]))) {
        word.text += line[at++];
    }
    return at + (quoted && at < line.size() ? 1 : 0);
}

// Reads the word that begins at `at`; returns where it ends.
class WordReader {
public:
    WordReader(const std::string& line, std::size_t at) : line_(line), at_(at) {}

    std::size_t read(CommandWord& word) {
        while (at_ < line_.size() && (quoted_ || !isBlank(line_[at_]))) {
            if (line_[at_] == '\\') {
                readBackslashes(word);
            } else if (line_[at_] == '"') {
                readQuote(word);
            } else {
                word.wildcard = word.wildcard || (!quoted_ && (line_[at_] == '*' ||
                                                               line_[at_] == '?'));
                word.text += line_[at_++];
            }
        }
        return at_;
    }

private:
    void readBackslashes(CommandWord& word) {
        std::size_t count = 0;
        while (at_ < line_.size() && line_[at_] == '\\') {
            ++count;
            ++at_;
        }
        const bool beforeQuote = at_ < line_.size() && line_[at_] == '"';
        word.text.append(beforeQuote ? count / 2 : count, '\\');
        if (beforeQuote && count % 2 == 1) {
            word.text += '"';
            ++at_;
        }
    }

    void readQuote(CommandWord& word) {
        ++at_;
        if (quoted_ && at_ < line_.size() && line_[at_] == '"') {
            word.text += '"';
            ++at_;
        } else {
            quoted_ = !quoted_;
        }
    }

    const std::string& line_;
    std::size_t at_;
    bool quoted_ = false;
};

std::size_t skipBlanks(const std::string& line, std::size_t at) {
    while (at < line.size() && isBlank(line[at])) {
        ++at;
    }
    return at;
}
}  // namespace

std::vector<CommandWord> splitWindowsCommandLine(const std::string& line) {
    std::vector<CommandWord> words(1);
    std::size_t at = skipBlanks(line, readProgramName(line, words[0]));
    while (at < line.size()) {
        CommandWord word;
        at = skipBlanks(line, WordReader(line, at).read(word));
        words.push_back(word);
    }
    return words;
}
