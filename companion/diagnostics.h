#ifndef QUELT_COMPANION_DIAGNOSTICS_H
#define QUELT_COMPANION_DIAGNOSTICS_H

// How the companions report a failure: one line on standard error in the GNU
// form "PROGRAM: FILE: REASON", the reason in plain ASCII English, taken from the
// system where the system gave it (strerror on POSIX, the Windows message on
// Windows). quelt itself keeps its own Shift_JIS messages.

#include <string>

#include "companion/system_error.h"

// Every file and argument a line names is shown by names/escapes.h's
// pathForLine, so that the line stays one whatever it holds.

// The program's name begins every line (companion/console.h's setProgramName).
// "PROGRAM: FILE: REASON\n", the reason the system's.
void fail(const std::string& file, const SystemError& error);
// "PROGRAM: FILE: REASON\n", for a reason of the program's own ("is the image
// being read").
void fail(const std::string& file, const std::string& reason);
// The line fail(file, reason) writes, as text, for a run that holds its text
// back (companion/run_text.h).
std::string failureLine(const std::string& file, const std::string& reason);
// "PROGRAM: TEXT\n", for a failure that concerns no one file.
void fail(const std::string& text);
// "PROGRAM: FILE: warning: REASON\n", for what went well but not wholly.
void warn(const std::string& file, const std::string& reason);
// "PROGRAM: invalid WHAT 'ARGUMENT': expected EXPECTED\n", for an argument that
// says nothing the program can use.
void failInvalidArgument(const char* what, const char* argument, const char* expected);
// "PROGRAM: missing operand: expected EXPECTED\n".
void failMissingOperand(const char* expected);
// "PROGRAM: extra operand 'OPERAND': expected EXPECTED\n".
void failExtraOperand(const char* operand, const char* expected);

#endif
