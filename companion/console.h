#ifndef QUELT_COMPANION_CONSOLE_H
#define QUELT_COMPANION_CONSOLE_H

// The companions' two streams. Their text is written through here only, so
// that a console window on Windows shows it as characters and a file or a pipe
// gets its UTF-8 bytes, on Windows those of the code page its readers take
// (companion/text_stream.h); every message to standard
// error first writes out what waits for standard output, so that one log of
// both keeps the order. The end of standard output is said in English, as GNU
// tools say it.

#include <string>
#include <utility>
#include <vector>

#include "common/error_stream.h"

// The name the companion's lines on standard error begin with; set once when
// its run starts ("quelt-ls", "quelt-cp").
void setProgramName(const char* program);
// The name set last ("quelt" before any).
const char* programName();

// `format` filled as printf does.
std::string formatted(const char* format, ...) QUELT_PRINTF_FORMAT(1, 2);

// Writes `format`, filled as printf does, to standard output.
void printOutput(const char* format, ...) QUELT_PRINTF_FORMAT(1, 2);
// Writes `text` to standard output.
void putOutput(const std::string& text);
// Writes `format`, filled as printf does, to standard error.
void printDiagnostic(const char* format, ...) QUELT_PRINTF_FORMAT(1, 2);
// Writes `text` to standard error.
void putDiagnostic(const std::string& text);

// From now on, standard output that is no console window takes the UTF-8
// bytes as they are, whatever code page redirected text is in otherwise
// (quelt-ls --json: JSON is UTF-8).
void keepOutputInUtf8();

// A run's text held back instead of written, each piece with whether it is
// for standard error, in the order written (companion/run_text.h): quelt-ls -j
// lists files on threads of their own and prints their text in the order of
// the files.
struct HeldText {
    std::vector<std::pair<bool, std::string>> pieces;
};
// Writes `held`'s pieces to their streams, in order, as they were first written.
void writeHeldText(const HeldText& held);

// Writes out what waits for standard output (before bytes that go to it
// around the text stream, such as quelt-cp's copy to standard output).
void flushOutput();

// Ends the companion's output: flushes standard output and, when any of it
// could not be written, says so once on standard error,
// "PROGRAM: standard output: REASON" with the system's reason. Returns
// `status`, or 1 when standard output failed.
int finishOutput(int status);

#endif
