// Typed names read as the disk's names are decoded, patterns matched as shells
// match file names, and a disk's names in every form the programs show or
// write them (see the header).
#include "names/typed_names.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "names/escapes.h"
#include "names/shift_jis.h"
#include "names/shown_names.h"
#include "names/unicode.h"
#include "names/written_names.h"

std::string canonicalTyped(const std::string& typed) {
    return withCodePage932Forms(composedText(typed));
}

std::vector<std::string> bytesOfTypedName(const std::string& typed) {
    std::vector<std::string> candidates;
    // Encoded before the escapes are read, so that escaped bytes are never taken
    // for UTF-8; as typed too, since normalisation changes some characters that
    // code page 932 holds (its compatibility ideographs).
    for (const std::string& text : {std::string(), typed, canonicalTyped(typed)}) {
        const std::string bytes = bytesOfListedName(text.empty() ? typed.c_str()
                                                                 : encodeShiftJis(text).c_str());
        if (std::find(candidates.begin(), candidates.end(), bytes) == candidates.end()) {
            candidates.push_back(bytes);
        }
    }
    return candidates;
}

// ---- Patterns

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

// ---- A disk's files found by a typed name or pattern

namespace {
constexpr NameForm bothForms[] = {NameForm::escaped, NameForm::utf8};
constexpr char writtenEscape[] = "%";
constexpr char copyNumberMark = '~';
constexpr int firstCopyNumber = 2;

// A typed written name as it would be written: canonical, its escapes' digits
// in upper case.
std::string asWritten(const std::string& typed) {
    return withUpperCaseEscapes(canonicalTyped(typed), writtenEscape);
}

// The part of `name` before a "~N" of N >= 2; "" when there is no such ending.
std::string stemOf(const std::string& name) {
    const std::size_t mark = name.rfind(copyNumberMark);
    if (mark == std::string::npos || mark == 0 || mark + 1 == name.size()) {
        return std::string();
    }
    const std::string digits = name.substr(mark + 1);
    const bool digitsOnly = digits.find_first_not_of("0123456789") == std::string::npos;
    const bool number = digitsOnly && digits[0] != '0' &&
                        (digits.size() > 1 || digits[0] >= '0' + firstCopyNumber);
    return number ? name.substr(0, mark) : std::string();
}
}  // namespace

// Names are compared as typed names are made canonical: a decoded name may
// hold characters that normalisation changes (code page 932's compatibility
// ideographs), and the typed name then stands for the name as normalised.
DiskNames::DiskNames(std::vector<std::string> nameBytes) : bytes_(std::move(nameBytes)) {
    for (NameForm form : bothForms) {
        const int f = static_cast<int>(form);
        for (const std::string& written : writtenNamesOf(bytes_, form)) {
            written_[f].push_back(canonicalTyped(written));
        }
        for (const std::string& bytes : bytes_) {
            listed_[f].push_back(canonicalTyped(listedNameText(bytes, form)));
            stems_[f].push_back(upperCaseAscii(canonicalTyped(writtenNameFor(bytes, form))));
        }
    }
}

NamedFile DiskNames::fileNamed(const std::string& typed) const {
    NamedFile named;
    named.file = fileOfTypedBytes(typed);
    if (named.file < 0) {
        named.file = fileWrittenAs(typed);
    }
    if (named.file < 0) {
        named.writtenAsStem = filesWrittenAsStem(typed);
    }
    return named;
}

int DiskNames::fileOfTypedBytes(const std::string& typed) const {
    for (const std::string& wanted : bytesOfTypedName(typed)) {
        // No used entry's name is empty or holds a 0 byte: it ends at the first.
        if (wanted.empty() || wanted.find('\0') != std::string::npos) {
            continue;
        }
        const auto found = std::find(bytes_.begin(), bytes_.end(), wanted);
        if (found != bytes_.end()) {
            return static_cast<int>(found - bytes_.begin());
        }
    }
    return -1;
}

int DiskNames::fileWrittenAs(const std::string& typed) const {
    const std::string wanted = asWritten(typed);
    for (NameForm form : bothForms) {
        const std::vector<std::string>& written = written_[static_cast<int>(form)];
        for (std::size_t i = 0; i < written.size(); ++i) {
            if (written[i] == wanted) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

int DiskNames::filesWrittenAsStem(const std::string& typed) const {
    const std::string stem = upperCaseAscii(stemOf(asWritten(typed)));
    int most = 0;
    for (const std::vector<std::string>& stems : stems_) {
        int count = 0;
        for (const std::string& written : stems) {
            count += !stem.empty() && written == stem ? 1 : 0;
        }
        most = count > most ? count : most;
    }
    return most;
}

std::vector<std::size_t> DiskNames::matching(const std::string& pattern) const {
    const std::string wanted = canonicalTyped(pattern);
    const NamePattern listed(wanted, EscapeNotation::listed);
    const NamePattern written(wanted, EscapeNotation::written);
    std::vector<std::size_t> files;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        bool any = false;
        for (int f = 0; f < 2 && !any; ++f) {
            any = listed.matches(listed_[f][i]) || written.matches(written_[f][i]);
        }
        if (any) {
            files.push_back(i);
        }
    }
    return files;
}
