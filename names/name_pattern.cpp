#include "names/name_pattern.h"

#include <cstring>
#include <vector>

#include "names/hex_codec.h"
#include "names/utf8_text.h"

namespace {
constexpr char anyRun = '*';
constexpr char anyOne = '?';

const char* prefixOf(EscapeNotation notation) {
    return notation == EscapeNotation::listed ? "\\x" : "%";
}

// The text as characters, each escape with upper-case digits.
std::vector<std::string> charactersOf(const std::string& text, EscapeNotation notation) {
    const char* prefix = prefixOf(notation);
    std::vector<std::string> characters;
    for (std::size_t at = 0; at < text.size();) {
        uint8_t byte = 0;
        std::size_t length = utf8CharacterLength(text, at);
        if (hexEscapeAt(text, at, prefix, byte)) {
            characters.push_back(hexEscape(prefix, byte));
            at += characters.back().size();
        } else {
            length = length > 0 ? length : 1;
            characters.push_back(text.substr(at, length));
            at += length;
        }
    }
    return characters;
}

bool isWildcard(const std::string& character, char wildcard) {
    return character.size() == 1 && character[0] == wildcard;
}
}  // namespace

bool isNamePattern(const char* name) {
    return std::strchr(name, anyRun) != nullptr || std::strchr(name, anyOne) != nullptr;
}

NamePattern::NamePattern(const std::string& pattern, EscapeNotation notation)
    : wanted_(charactersOf(pattern, notation)), notation_(notation) {}

// The usual matching with one point to go back to: the last * seen.
bool NamePattern::matches(const std::string& text) const {
    const std::vector<std::string> name = charactersOf(text, notation_);
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < wanted_.size() && isWildcard(wanted_[p], anyRun)) {
            starAt = p++;
            resumeAt = n;
        } else if (p < wanted_.size() &&
                   (isWildcard(wanted_[p], anyOne) || wanted_[p] == name[n])) {
            ++p;
            ++n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < wanted_.size() && isWildcard(wanted_[p], anyRun)) {
        ++p;
    }
    return p == wanted_.size();
}

bool patternMatches(const std::string& pattern, const std::string& text,
                    EscapeNotation notation) {
    return NamePattern(pattern, notation).matches(text);
}
