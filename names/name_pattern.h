#ifndef QUELT_NAMES_NAME_PATTERN_H
#define QUELT_NAMES_NAME_PATTERN_H

#include <string>
#include <vector>

// NAME as a pattern, as shells match file names: * stands for any run of
// characters, ? for one, everything else for itself. A character here is what
// the text shows as one: an escape of one byte (its digits in either case), a
// UTF-8 character, or one byte. To match * or ? themselves in a listed name,
// write \x2A or \x3F.

bool isNamePattern(const char* name);

// The escapes of the text a pattern is matched against: a name as quelt-ls lists
// it (\xNN), or a file name as quelt-cp writes it (%XX).
enum class EscapeNotation { listed, written };

// A pattern read once, to be matched against many texts.
class NamePattern {
public:
    NamePattern(const std::string& pattern, EscapeNotation notation);

    // Whether the pattern matches `text` (a listed name without its quotes, or
    // a written file name), in time bounded by the product of their lengths.
    bool matches(const std::string& text) const;

private:
    std::vector<std::string> wanted_;  // the pattern's characters
    EscapeNotation notation_;
};

// Whether `pattern` matches `text`, read as a NamePattern.
bool patternMatches(const std::string& pattern, const std::string& text,
                    EscapeNotation notation = EscapeNotation::listed);

#endif
