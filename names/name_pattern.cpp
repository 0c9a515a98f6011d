#include "names/name_pattern.h"

#include <cstring>
#include <vector>

namespace {
constexpr char anyRun = '*';
constexpr char anyOne = '?';

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char upperHex(char c) {
    return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Length of the character that begins at `at`.
std::size_t characterLength(const std::string& text, std::size_t at) {
    bool escape = text.compare(at, 2, "\\x") == 0 && at + 3 < text.size() &&
                  isHexDigit(text[at + 2]) && isHexDigit(text[at + 3]);
    if (escape) {
        return 4;
    }
    std::size_t length = 1;
    while (at + length < text.size() && (static_cast<uint8_t>(text[at + length]) & 0xC0) == 0x80 &&
           (static_cast<uint8_t>(text[at]) & 0x80) != 0) {
        ++length;
    }
    return length;
}

// The text as characters, escapes' digits in upper case.
std::vector<std::string> charactersOf(const std::string& text) {
    std::vector<std::string> characters;
    for (std::size_t at = 0; at < text.size();) {
        std::string character = text.substr(at, characterLength(text, at));
        if (character.size() == 4 && character[0] == '\\') {
            character[2] = upperHex(character[2]);
            character[3] = upperHex(character[3]);
        }
        characters.push_back(character);
        at += characters.back().size();
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

// The usual matching with one point to go back to: the last * seen.
bool patternMatches(const std::string& pattern, const std::string& listedName) {
    std::vector<std::string> wanted = charactersOf(pattern);
    std::vector<std::string> name = charactersOf(listedName);
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < wanted.size() && isWildcard(wanted[p], anyRun)) {
            starAt = p++;
            resumeAt = n;
        } else if (p < wanted.size() && (isWildcard(wanted[p], anyOne) || wanted[p] == name[n])) {
            ++p;
            ++n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < wanted.size() && isWildcard(wanted[p], anyRun)) {
        ++p;
    }
    return p == wanted.size();
}
