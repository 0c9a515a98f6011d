#ifndef QUELT_COMPANION_WINDOWS_COMMAND_LINE_H
#define QUELT_COMPANION_WINDOWS_COMMAND_LINE_H

// A Windows program gets its command line as one text, and its C library
// splits it into argv by Windows' rules, dropping the quotes. Windows shells
// leave * and ? to the programs, which expand them where no quote protects
// them, so the companions split the line again to learn which arguments were
// written as wildcards. Neither CommandLineToArgvW nor the C library tells
// where the quotes were; this reader follows their rules and says it. It is
// plain text work, the same on every system.

#include <string>
#include <vector>

// One argument as the line gives it.
struct CommandWord {
    std::string text;   // as argv holds it
    bool wildcard = false;  // holds a * or ? outside every pair of quotes
};

// `line` split as the C library splits it: the program's name first (up to
// the next space, or quoted, taken as it is), then words separated by spaces
// and tabs outside quotes; 2N backslashes before a quote are N backslashes
// and the quote opens or closes a quoted part, 2N+1 are N and a literal
// quote; "" inside a quoted part is a literal quote; other backslashes stand
// as they are.
std::vector<CommandWord> splitWindowsCommandLine(const std::string& line);

#endif
