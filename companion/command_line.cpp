// The companions' GNU-style command-line reader (see the header).
#include "companion/command_line.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "companion/console.h"
#include "companion/diagnostics.h"

namespace {
// The project's version, given by the build (CMake's project version).
constexpr char version[] = QUELT_VERSION;

// Every program's own two options, answered here.
constexpr int helpOption = -1;
constexpr int versionOption = -2;
const OptionEntry answeredOptions[] = {{helpOption, 'h', "help", false},
                                      {versionOption, 0, "version", false}};

const OptionEntry* findOption(const std::vector<OptionEntry>& table, char shortName,
                             const std::string& longName) {
    auto matches = [&](const OptionEntry& entry) {
        return shortName != 0 ? entry.shortName == shortName
                              : entry.longName != nullptr && longName == entry.longName;
    };
    for (const OptionEntry& entry : answeredOptions) {
        if (matches(entry)) {
            return &entry;
        }
    }
    for (const OptionEntry& entry : table) {
        if (matches(entry)) {
            return &entry;
        }
    }
    return nullptr;
}

// Reads argv one argument at a time; stops at the first that answers or
// refuses the command line.
class Reader {
public:
    Reader(int argc, char** argv, const ProgramTexts& texts, const std::vector<OptionEntry>& table,
           ParsedCommandLine& parsed)
        : argc_(argc), argv_(argv), texts_(texts), table_(table), parsed_(parsed) {}

    // False when the run ends here, with its status in `status`.
    bool readAll(int& status) {
        for (next_ = 1; next_ < argc_ && !stopped_;) {
            readArgument(argv_[next_++]);
        }
        status = status_;
        return !stopped_;
    }

private:
    void readArgument(const char* argument) {
        if (optionsEnded_ || argument[0] != '-' || std::strcmp(argument, "-") == 0) {
            parsed_.operands.push_back(argument);
        } else if (std::strcmp(argument, "--") == 0) {
            optionsEnded_ = true;
        } else if (argument[1] == '-') {
            readLongOption(argument + 2);
        } else {
            readShortOptions(argument + 1);
        }
    }

    void readLongOption(const char* text) {
        const char* equals = std::strchr(text, '=');
        std::string name = equals != nullptr ? std::string(text, equals) : std::string(text);
        const OptionEntry* entry = findOption(table_, 0, name);
        std::string shown = "--" + name;
        if (entry == nullptr) {
            refuseUnknown(shown);
        } else if (!entry->takesValue && equals != nullptr) {
            refuse("option '" + shown + "' takes no value: expected " + shown + " alone");
        } else if (entry->takesValue && equals != nullptr) {
            take(*entry, equals + 1);
        } else {
            takeWithNextValue(*entry, shown);
        }
    }

    // A bundle such as "-rn" or "-tDIR": a value takes the rest of the bundle.
    void readShortOptions(const char* bundle) {
        for (const char* at = bundle; *at != '\0' && !stopped_; ++at) {
            const OptionEntry* entry = findOption(table_, *at, "");
            std::string shown = std::string("-") + *at;
            if (entry == nullptr) {
                refuseUnknown(shown);
            } else if (entry->takesValue && at[1] != '\0') {
                take(*entry, at + 1);
                return;
            } else {
                takeWithNextValue(*entry, shown);
            }
        }
    }

    void takeWithNextValue(const OptionEntry& entry, const std::string& shown) {
        if (!entry.takesValue) {
            take(entry, nullptr);
        } else if (next_ < argc_) {
            take(entry, argv_[next_++]);
        } else {
            refuse("option '" + shown + "' needs a value: expected it after the option");
        }
    }

    void take(const OptionEntry& entry, const char* value) {
        if (entry.id == helpOption) {
            std::fputs(texts_.usageLine, stdout);
            std::fputs(texts_.arguments, stdout);
            stop(finishOutput(0));
        } else if (entry.id == versionOption) {
            std::printf("%s %s\n", texts_.name, version);
            stop(finishOutput(0));
        } else {
            parsed_.options.push_back({entry.id, value});
        }
    }

    void refuseUnknown(const std::string& shown) {
        refuse("unknown option '" + shown + "': expected one that " + texts_.name +
               " --help lists");
    }

    void refuse(const std::string& problem) {
        reportProblem(texts_.name, problem);
        stop(finishOutput(1));
    }

    void stop(int status) {
        stopped_ = true;
        status_ = status;
    }

    int argc_;
    char** argv_;
    const ProgramTexts& texts_;
    const std::vector<OptionEntry>& table_;
    ParsedCommandLine& parsed_;
    int next_ = 1;
    bool optionsEnded_ = false;
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

bool parseCommandLine(int argc, char** argv, const ProgramTexts& texts,
                      const std::vector<OptionEntry>& table, ParsedCommandLine& parsed,
                      int& status) {
    Reader reader(argc, argv, texts, table, parsed);
    return reader.readAll(status);
}
