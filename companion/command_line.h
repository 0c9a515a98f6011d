#ifndef QUELT_COMPANION_COMMAND_LINE_H
#define QUELT_COMPANION_COMMAND_LINE_H

// The companions' command lines, read the GNU way by the platform's getopt_long
// (glibc's; mingw-w64's BSD code in the Windows build; an MSVC build takes the
// same BSD code from vcpkg's "getopt" port). quelt itself takes no option: its
// one argument is always the image. Offers a table of options per program,
// short options that bundle ("-rn"), a short option's value attached or next
// ("-tDIR", "-t DIR"), long options with "=VALUE" or the next argument, and
// abbreviated to any unique beginning ("--no-clob"), options anywhere among the
// operands (unless POSIXLY_CORRECT is set, as with GNU tools), "--" to end the
// options and "-" as an operand. -h, --help and --version are answered here for
// every program. getopt_long reorders argv's pointers.

#include <cstddef>
#include <initializer_list>
#include <vector>

struct ProgramTexts {
    const char* name;       // as --version and every message print it
    const char* usageLine;  // "Usage: ...\n"
    const char* arguments;  // what --help prints after the usage line
};

// One option of a program's table.
struct OptionEntry {
    int id;                // the program's own number for it
    char shortName;        // 'n' for -n; 0 for none
    const char* longName;  // "no-clobber" for --no-clobber; nullptr for none
    bool takesValue;       // the option is followed by a value (-t DIR)
};

// An option as given, in the order given.
struct GivenOption {
    int id;
    const char* value;  // nullptr for an option without a value
};

struct ParsedCommandLine {
    std::vector<GivenOption> options;
    std::vector<const char*> operands;
    // The arguments written as wildcards on Windows (companion/wildcards.h).
    std::vector<const char*> wildcards;

    bool has(int id) const;
    // The value given last for `id`; nullptr when the option was not given.
    const char* valueOf(int id) const;
    // How often `id` was given.
    int count(int id) const;
    // Which of `ids` was given last; -1 for none.
    int lastOf(std::initializer_list<int> ids) const;
    // Whether `operand` (one of `operands`) was written as a wildcard.
    bool isWildcard(const char* operand) const;
};

// Reads argv against `table`. Returns true when the program should run with
// `parsed`; false when the command line was answered (help or version on
// standard output, status 0) or refused (one line on standard error naming the
// argument and what was expected, status 1: an unknown or ambiguous option, a
// value missing or given to an option that takes none), with the exit status
// in `status`.
bool parseCommandLine(int argc, char** argv, const ProgramTexts& texts,
                      const std::vector<OptionEntry>& table, ParsedCommandLine& parsed,
                      int& status);

#endif
