#ifndef QUELT_NAMES_WRITTEN_NAMES_H
#define QUELT_NAMES_WRITTEN_NAMES_H

#include <set>
#include <string>
#include <vector>

#include "names/shown_names.h"

// File names for the files of a disk, made from the bytes of their names on the
// disk so that each is one valid file name in the current folder on Linux and on
// Windows alike:
// - printable ASCII stays as it is, except % / \ : * ? " < > |, which become
//   %XX (the byte in upper-case hex), as do all other bytes;
// - a name made only of dots has every dot escaped (".." is "%2E%2E"), and a
//   name ending in a dot or a space has that last character escaped, since
//   Windows drops it;
// - a name whose part before the first dot is one of Windows' device names (CON,
//   PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, in any case) gets "_" after that part
//   ("con.txt" is "con_.txt");
// - the name "-" is "%2D": as OUTPUT, "-" is standard output.
// In the decoded form each Shift_JIS character that converts stands as
// its UTF-8 text instead of its escapes.
std::string writtenNameFor(const std::string& nameBytes, NameForm form = NameForm::escaped);

// The names a copy of every file writes for `nameBytes`, a disk's used entries'
// names in directory order, in `form` (OutputNames's "~N" included).
std::vector<std::string> writtenNamesOf(const std::vector<std::string>& nameBytes, NameForm form);

// `text` with ASCII letters in upper case, as written names are told apart.
std::string upperCaseAscii(std::string text);

// OUTPUT, the fourth argument, may name standard output.
constexpr char standardOutputName[] = "-";

// The output names given so far in one copy, so that no two files of a disk get
// the same one. Names are told apart regardless of case, as Windows does.
class OutputNames {
public:
    // `name`, or when it was given already, the first of "name~2", "name~3", ...
    // that was not; remembers the one it returns.
    std::string claim(const std::string& name);

private:
    std::set<std::string> claimed_;  // folded to upper case
};

#endif
