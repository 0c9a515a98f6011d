#include "tool/command_line.h"

#include <cstdio>
#include <cstring>

#include "tool/console.h"

namespace {
// The project's version, given by the build (CMake's project version).
constexpr char version[] = QUELT_VERSION;

bool isOption(const char* argument, int position, int dashOperand) {
    if (argument[0] != '-') {
        return false;
    }
    return position != dashOperand || std::strcmp(argument, "-") != 0;
}

int answer(const char* option, const ProgramTexts& texts) {
    if (std::strcmp(option, "-h") == 0 || std::strcmp(option, "--help") == 0) {
        std::fputs(texts.usageLine, stdout);
        std::fputs(texts.arguments, stdout);
        return finishOutput(0);
    }
    if (std::strcmp(option, "--version") == 0) {
        std::printf("%s %s\n", texts.name, version);
        return finishOutput(0);
    }
    printError(texts.usageLine);
    return finishOutput(1);
}
}  // namespace

bool answerOptions(int argc, char** argv, const ProgramTexts& texts, int dashOperand,
                   int& status) {
    for (int i = 1; i < argc; ++i) {
        if (isOption(argv[i], i, dashOperand)) {
            status = answer(argv[i], texts);
            return true;
        }
    }
    return false;
}
