#ifndef QUELT_NAMES_NAME_PATTERN_H
#define QUELT_NAMES_NAME_PATTERN_H

#include <string>

// NAME as a pattern, as shells match file names: * stands for any run of
// characters, ? for one, everything else for itself. A character here is what
// a listing shows as one: a \xNN escape (its digits in either case), a UTF-8
// character, or one ASCII character. To match * or ? themselves, write \x2A
// or \x3F.

bool isNamePattern(const char* name);

// Whether `pattern` matches a name as quelt-ls shows it (without the quotes).
bool patternMatches(const std::string& pattern, const std::string& listedName);

#endif
