#ifndef QUELT_TOOL_COMMAND_LINE_H
#define QUELT_TOOL_COMMAND_LINE_H

// The options every companion program takes (quelt itself takes none: its one
// argument is always the image).
struct ProgramTexts {
    const char* name;       // as --version prints it
    const char* usageLine;  // "Usage: ...\n"
    const char* arguments;  // what --help prints after the usage line
};

// Answers the first argument that begins with '-': "-h" and "--help" print the
// usage line and the arguments' lines to standard output, "--version" prints
// "NAME VERSION", anything else is a wrong command line (the usage line on
// standard error). Argument number `dashOperand` (1-based; 0 for none) may be
// "-" itself, which stands for standard output. Returns true when an option
// was answered, with the program's exit status in `status`; false when every
// argument is an operand.
bool answerOptions(int argc, char** argv, const ProgramTexts& texts, int dashOperand,
                   int& status);

// For a program none of whose operands may be "-".
constexpr int noDashOperand = 0;

#endif
