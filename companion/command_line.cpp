// The companions' command-line reader over the platform's getopt_long (see the header).
#include "companion/command_line.h"

#include <getopt.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "companion/console.h"
#include "companion/diagnostics.h"
#include "companion/wildcards.h"
#include "names/escapes.h"

namespace {
// The project's version, given by the build (CMake's project version).
constexpr char version[] = QUELT_VERSION;

// Every program's own two options, answered here.
constexpr int helpOption = -1;
constexpr int versionOption = -2;
// -h first: /? on Windows is taken as it.
constexpr OptionEntry answeredOptions[] = {{helpOption, 'h', "help", nullptr, "print this help"},
                                           {versionOption, 0, "version", nullptr,
                                            "print the version"}};

// getopt_long's code for an option: its short letter, or for a long-only
// option a number above every byte.
constexpr int firstLongOnlyCode = 0x100;
// A leading ':' makes getopt_long say ':' for a missing value and print nothing.
constexpr char quietStart[] = ":";

// Whether argv asks for help the Windows way, anywhere before "--" (never on
// POSIX systems, where /? is a path).
bool asksWindowsHelp(int argc, char** argv) {
#ifdef _WIN32
    // Windows programs answer /? with their help.
    constexpr char windowsHelp[] = "/?";
    constexpr char endOfOptions[] = "--";
    for (int at = 1; at < argc && std::strcmp(argv[at], endOfOptions) != 0; ++at) {
        if (std::strcmp(argv[at], windowsHelp) == 0) {
            return true;
        }
    }
#else
    (void)argc;
    (void)argv;
#endif
    return false;
}

// The options of one program, answered ones first, in getopt_long's terms.
class OptionTable {
public:
    explicit OptionTable(OptionRows table) {
        entries_.assign(std::begin(answeredOptions), std::end(answeredOptions));
        entries_.insert(entries_.end(), table.begin(), table.end());
        shortNames_ = quietStart;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            addEntry(entries_[i], static_cast<int>(i));
        }
        longOptions_.push_back({nullptr, 0, nullptr, 0});
    }

    const char* shortNames() const { return shortNames_.c_str(); }
    const option* longOptions() const { return longOptions_.data(); }

    // The entry getopt_long's `code` stands for; nullptr for none.
    const OptionEntry* entryOf(int code) const {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (code == codeOf(entries_[i], static_cast<int>(i))) {
                return &entries_[i];
            }
        }
        return nullptr;
    }

    // The long options whose names begin with `prefix`.
    std::vector<const OptionEntry*> longMatches(const std::string& prefix) const {
        std::vector<const OptionEntry*> matches;
        for (const OptionEntry& entry : entries_) {
            if (entry.longName != nullptr && std::strncmp(entry.longName, prefix.c_str(),
                                                          prefix.size()) == 0) {
                matches.push_back(&entry);
            }
        }
        return matches;
    }

private:
    static int codeOf(const OptionEntry& entry, int index) {
        return entry.shortName != 0 ? static_cast<unsigned char>(entry.shortName)
                                    : firstLongOnlyCode + index;
    }

    void addEntry(const OptionEntry& entry, int index) {
        if (entry.shortName != 0) {
            shortNames_ += entry.shortName;
            shortNames_ += entry.takesValue() ? ":" : "";
        }
        if (entry.longName != nullptr) {
            longOptions_.push_back({entry.longName, entry.takesValue() ? required_argument
                                                                     : no_argument,
                                    nullptr, codeOf(entry, index)});
        }
    }

    std::vector<OptionEntry> entries_;
    std::string shortNames_;
    std::vector<option> longOptions_;
};

// "-t, --target-directory=FOLDER" for a row, "--utf8" for one without a short name.
std::string optionNamesOf(const OptionEntry& row) {
    std::string names = row.shortName != 0 ? std::string("-") + row.shortName : "";
    if (row.longName != nullptr) {
        names += std::string(row.shortName != 0 ? ", " : "") + "--" + row.longName;
    }
    if (row.takesValue()) {
        names += std::string(row.longName != nullptr ? "=" : " ") + row.argument;
    }
    return names;
}

// A row's lines of --help, its help from `column` on.
std::string helpLinesOf(const OptionEntry& row, std::size_t column) {
    constexpr std::size_t indent = 2;  // before the option, and between it and its help
    std::string lines = std::string(indent, ' ') + optionNamesOf(row);
    lines += lines.size() + indent <= column ? std::string(column - lines.size(), ' ')
                                             : std::string(indent, ' ');
    for (const char* at = row.help; *at != '\0'; ++at) {
        lines += *at;
        lines += *at == '\n' ? std::string(column, ' ') : "";
    }
    return lines + "\n";
}

// getopt_long keeps its place in globals; each reading starts afresh (the fuzz
// targets read many command lines in one process). optind 0 starts over in
// glibc and in the BSD code of mingw-w64 and vcpkg (which set optreset then).
void startGetopt() {
    optind = 0;
    opterr = 0;
}

// Reads argv through getopt_long; stops at the first argument that answers or
// refuses the command line.
class Reader {
public:
    Reader(int argc, char** argv, const ProgramTexts& texts, OptionRows options,
           const OptionTable& table, ParsedCommandLine& parsed)
        : argc_(argc), argv_(argv), texts_(texts), options_(options), table_(table),
          parsed_(parsed) {}

    // False when the run ends here, with its status in `status`.
    bool readAll(int& status) {
        if (asksWindowsHelp(argc_, argv_)) {
            take(answeredOptions[0], nullptr);
        }
        startGetopt();
        int code = 0;
        while (!stopped_ &&
               (code = getopt_long(argc_, argv_, table_.shortNames(), table_.longOptions(),
                                   nullptr)) != -1) {
            readCode(code);
        }
        for (int at = optind; !stopped_ && at < argc_; ++at) {
            parsed_.operands.push_back(argv_[at]);
        }
        status = status_;
        return !stopped_;
    }

private:
    void readCode(int code) {
        const OptionEntry* entry = table_.entryOf(code);
        if (code == '?' || code == ':') {
            refuseOption();
        } else if (entry != nullptr) {
            take(*entry, optarg);
        }
    }

    // The argument getopt_long just finished with.
    std::string lastArgument() const {
        return optind > 0 && optind <= argc_ ? argv_[optind - 1] : std::string();
    }

    // getopt_long says only that an option is wrong, with optopt the option's
    // code (0 for a long option it did not find); the argument tells how. An
    // error in a short option's value comes only at the end of the command
    // line, where the argument just read is that option's.
    void refuseOption() {
        const OptionEntry* entry = table_.entryOf(optopt);
        const std::string argument = lastArgument();
        const bool isLong = argument.compare(0, 2, "--") == 0;
        if (entry == nullptr && optopt != 0) {
            refuseUnknown(std::string("-") + static_cast<char>(optopt));
        } else if (entry == nullptr) {
            refuseLong(argument.substr(2));
        } else if (isLong && argument.find('=') != std::string::npos) {
            const std::string shown = std::string("--") + entry->longName;
            refuse("option '" + shown + "' takes no value: expected " + shown + " alone");
        } else {
            const std::string shown = isLong ? std::string("--") + entry->longName
                                             : std::string("-") + entry->shortName;
            refuse("option '" + shown + "' needs a value: expected it after the option");
        }
    }

    // A long option getopt_long found no one option for: none or several begin so.
    void refuseLong(const std::string& text) {
        const std::string name = text.substr(0, text.find('='));
        const std::vector<const OptionEntry*> matches = table_.longMatches(name);
        if (matches.size() < 2) {
            refuseUnknown("--" + name);
            return;
        }
        std::string names;
        for (const OptionEntry* match : matches) {
            names += (names.empty() ? "--" : " or --") + std::string(match->longName);
        }
        refuse("ambiguous option '--" + pathForLine(name) + "': expected " + names);
    }

    void take(const OptionEntry& entry, const char* value) {
        if (entry.id == helpOption) {
            putOutput(helpOf(texts_, options_));
            stop(finishOutput(0));
        } else if (entry.id == versionOption) {
            printOutput("%s %s\n", texts_.name, version);
            stop(finishOutput(0));
        } else {
            parsed_.options.push_back({entry.id, value});
        }
    }

    void refuseUnknown(const std::string& shown) {
        refuse("unknown option '" + pathForLine(shown) + "': expected one that " + texts_.name +
               " --help lists");
    }

    void refuse(const std::string& problem) {
        fail(problem);
        stop(finishOutput(1));
    }

    void stop(int status) {
        stopped_ = true;
        status_ = status;
    }

    int argc_;
    char** argv_;
    const ProgramTexts& texts_;
    OptionRows options_;
    const OptionTable& table_;
    ParsedCommandLine& parsed_;
    bool stopped_ = false;
    int status_ = 0;
};
}  // namespace

bool ParsedCommandLine::has(int id) const {
    for (const GivenOption& option : options) {
        if (option.id == id) {
            return true;
        }
    }
    return false;
}

const char* ParsedCommandLine::valueOf(int id) const {
    const char* value = nullptr;
    for (const GivenOption& option : options) {
        value = option.id == id ? option.value : value;
    }
    return value;
}

int ParsedCommandLine::count(int id) const {
    int given = 0;
    for (const GivenOption& option : options) {
        given += option.id == id ? 1 : 0;
    }
    return given;
}

int ParsedCommandLine::lastOf(std::initializer_list<int> ids) const {
    int last = -1;
    for (const GivenOption& option : options) {
        for (int id : ids) {
            last = option.id == id ? id : last;
        }
    }
    return last;
}

bool ParsedCommandLine::isWildcard(const char* operand) const {
    return std::find(wildcards.begin(), wildcards.end(), operand) != wildcards.end();
}

std::string optionsHelp(OptionRows rows, int column) {
    std::string lines;
    for (const OptionEntry& row : rows) {
        lines += helpLinesOf(row, static_cast<std::size_t>(column));
    }
    return lines;
}

std::string helpOf(const ProgramTexts& texts, OptionRows rows) {
    return std::string(texts.usageLine) + texts.arguments + optionsHelp(rows, texts.helpColumn) +
           optionsHelp(answeredOptions, texts.helpColumn);
}

bool parseCommandLine(int argc, char** argv, const ProgramTexts& texts, OptionRows table,
                      ParsedCommandLine& parsed, int& status) {
    // Every line the program writes to standard error from now on begins with
    // its name.
    setProgramName(texts.name);
    // Taken before getopt_long reorders argv's pointers; the operands keep them.
    parsed.wildcards = wildcardArguments(argc, argv);
    const OptionTable options(table);
    Reader reader(argc, argv, texts, table, options, parsed);
    return reader.readAll(status);
}
