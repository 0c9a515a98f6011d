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
#include <string>
#include <vector>

struct ProgramTexts {
    const char* name;       // as --version and every message print it
    const char* usageLine;  // "Usage: ...\n"
    const char* arguments;  // what --help prints after the usage line, before the options
    int helpColumn = 19;    // where the options' help begins in --help, as in `arguments`
};

// One option of a program's table: how it is written, and its line of --help,
// so that the parser and the help are made from the same row.
struct OptionEntry {
    int id;                          // the program's own number for it: what it sets
    char shortName;                  // 'n' for -n; 0 for none
    const char* longName;            // "no-clobber" for --no-clobber; nullptr for none
    const char* argument = nullptr;  // "FOLDER" for -t FOLDER; nullptr: it takes none
    const char* help = "";           // what it does; a "\n" begins another line

    constexpr bool takesValue() const { return argument != nullptr; }
};

// A program's rows, as a fixed table gives them.
struct OptionRows {
    const OptionEntry* first = nullptr;
    std::size_t count = 0;

    constexpr OptionRows() = default;
    template <std::size_t count_>
    constexpr OptionRows(const OptionEntry (&rows)[count_]) : first(rows), count(count_) {}
    const OptionEntry* begin() const { return first; }
    const OptionEntry* end() const { return first + count; }
};

// The lines --help prints for `rows`: "  -t, --target-directory=FOLDER  copy into FOLDER",
// the help beginning at `column` (on the next line where the option is longer), each
// further line of it there too.
std::string optionsHelp(OptionRows rows, int column);
// What --help prints: the usage line, the arguments, the rows' lines, and -h's and
// --version's.
std::string helpOf(const ProgramTexts& texts, OptionRows rows);

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
bool parseCommandLine(int argc, char** argv, const ProgramTexts& texts, OptionRows table,
                      ParsedCommandLine& parsed, int& status);

#endif
