#ifndef QUELT_NAMES_TYPED_NAMES_H
#define QUELT_NAMES_TYPED_NAMES_H

#include <cstddef>
#include <string>
#include <vector>

// A NAME or pattern as the user typed it, read the way the disk's names are
// decoded, so that what looks the same finds the same file.

// `typed` in Normalization Form C (a decomposed kana typed or pasted is the
// composed one) with each JIS form of code page 932's variant characters in
// code page 932's form (names/shift_jis.h). Bytes that are not UTF-8 stay as
// they are.
std::string canonicalTyped(const std::string& typed);

// The bytes a typed NAME may stand for, in the order to try them, each once:
// its \xNN escapes as bytes and everything else as typed; then with its UTF-8
// characters as their Shift_JIS bytes, as typed and made canonical.
std::vector<std::string> bytesOfTypedName(const std::string& typed);

// ---- Patterns

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

// ---- A disk's files found by a typed name or pattern

// The names of one disk's files as a copy sees them, so that any name the
// programs showed or wrote finds its file again: each name's bytes, its text as
// listed and the file name a copy of every file writes for it, in both forms.

// What a NAME finds among a disk's files.
struct NamedFile {
    int file = -1;          // the file's index among the names given; -1 when none
    int writtenAsStem = 0;  // when none: what filesWrittenAsStem gives for NAME
};

class DiskNames {
public:
    // `nameBytes`: the used entries' names in directory order.
    explicit DiskNames(std::vector<std::string> nameBytes);

    // The file `typed` names: for each of bytesOfTypedName(typed) in order, the
    // first file whose bytes are those, as quelt's own lookup finds a used
    // entry (an empty candidate or one holding a 0 byte finds nothing); else
    // the one fileWrittenAs finds.
    NamedFile fileNamed(const std::string& typed) const;

    // The file that a copy of every file writes as `typed`, in either form (a
    // "~N" after a name given before included, %XX digits in either case,
    // decoded text made canonical); -1 when there is none.
    int fileWrittenAs(const std::string& typed) const;

    // For `typed` "STEM~N" (N from 2): how many files a copy of every file
    // writes as STEM, STEM~2, ... (regardless of case), in the form that writes
    // most; 0 when `typed` is no such name or no file is written as STEM.
    int filesWrittenAsStem(const std::string& typed) const;

    // The files `pattern` matches, in order: by name as listed in either form,
    // or as written in either form (%XX escapes as one character).
    std::vector<std::size_t> matching(const std::string& pattern) const;

private:
    // The first file whose bytes one of bytesOfTypedName(typed) is, tried in
    // order; -1 when none.
    int fileOfTypedBytes(const std::string& typed) const;

    std::vector<std::string> bytes_;
    std::vector<std::string> listed_[2];
    std::vector<std::string> written_[2];
    std::vector<std::string> stems_[2];  // written names before any "~N", upper case
};

#endif
