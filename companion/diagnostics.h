#ifndef QUELT_COMPANION_DIAGNOSTICS_H
#define QUELT_COMPANION_DIAGNOSTICS_H

// How the companions report a failure: one line on standard error in the GNU
// form "PROGRAM: FILE: REASON", the reason in plain ASCII English, taken from the
// system where the system gave it (strerror on POSIX, the Windows message on
// Windows). quelt itself keeps its own Shift_JIS messages.

#include <string>
#include <system_error>

// A failure as the system reported it. On POSIX it is always an errno value; on
// Windows it is an errno value from the C runtime or a code from GetLastError.
struct SystemError {
    enum class Kind { errnoValue, windowsCode };
    Kind kind = Kind::errnoValue;
    int code = 0;
};

// The errno value of the failure that just happened.
SystemError lastErrnoError();
// The failure the last system call reported: errno on POSIX, GetLastError on
// Windows.
SystemError lastSystemError();

// A failure the standard library reported (std::filesystem): a system code is
// what the system said; any other, an errno value.
SystemError systemErrorOf(const std::error_code& code);

// The reason as one ASCII line without a final period: "No such file or
// directory". Windows' own text is asked for in English; where Windows has none
// in English, or it is not plain ASCII, the reason is "system error N".
std::string reasonFor(const SystemError& error);

// Every file and argument a line names is shown by names/path_text.h's
// pathForLine, so that the line stays one whatever it holds.

// "PROGRAM: FILE: REASON\n".
void reportFileError(const char* program, const std::string& file, const SystemError& error);
// "PROGRAM: FILE: TEXT\n", for a reason of the program's own ("is the image being read").
void reportFileProblem(const char* program, const std::string& file, const char* text);
// "PROGRAM: TEXT\n".
void reportProblem(const char* program, const std::string& text);
// "PROGRAM: invalid WHAT 'ARGUMENT': expected EXPECTED\n", for an argument that
// says nothing the program can use.
void reportInvalidArgument(const char* program, const char* what, const char* argument,
                           const char* expected);
// "PROGRAM: missing operand: expected EXPECTED\n".
void reportMissingOperand(const char* program, const char* expected);
// "PROGRAM: extra operand 'OPERAND': expected EXPECTED\n".
void reportExtraOperand(const char* program, const char* operand, const char* expected);

#endif
