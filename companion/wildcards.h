#ifndef QUELT_COMPANION_WILDCARDS_H
#define QUELT_COMPANION_WILDCARDS_H

// IMAGE operands written as wildcards on Windows (images\*.d88), expanded by
// the companions as Windows programs expand theirs, since Windows shells
// leave that to them: * and ? in the last part of the path, matched by the
// system against the names in that folder; written in quotes too, as Windows
// users quote whole paths, when no file has that name (no Windows file name
// holds * or ?). POSIX shells expand wildcards before a program starts, and
// quotes keep them, so there no operand is one.

#include <functional>
#include <string>
#include <vector>

#include "companion/command_line.h"
#include "companion/diagnostics.h"

// The entries of argv that the process's command line writes as wildcards
// (companion/windows_command_line.h); none on POSIX, and none when argv is not
// the one the process was started with.
std::vector<const char*> wildcardArguments(int argc, char** argv);

// The paths `pattern` matches, sorted by name: its folder part as written,
// then each name found ("." and ".." never). Empty, with `why` unset
// (errnoValue 0), when nothing matches or the folder does not exist; empty
// with the system's reason in `why` when the folder cannot be read.
std::vector<std::string> expandWildcard(const std::string& pattern, SystemError& why);

// The reason of "PROGRAM: PATTERN: REASON" for a wildcard expandWildcard
// found nothing for, with its `why`: "matches no file", or the system's.
std::string reasonNothingMatched(const SystemError& why);

// The paths the operands stand for, in their order: a wildcard (on Windows)
// for the files it matches, each other operand for itself. A wildcard that
// matches nothing is told to `nothingMatched` with the reason at once, as a
// shell expands every one before the program runs.
std::vector<std::string> operandPaths(
    const ParsedCommandLine& parsed,
    const std::function<void(const char* wildcard, const std::string& reason)>& nothingMatched);

#endif
