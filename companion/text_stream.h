#ifndef QUELT_COMPANION_TEXT_STREAM_H
#define QUELT_COMPANION_TEXT_STREAM_H

// One of a companion's text streams (standard output or standard error). The
// companions' text is UTF-8: paths as the system gives them (UTF-8 on Windows
// through the programs' manifest) and names decoded from Shift_JIS. On POSIX
// systems a file, a pipe and a terminal take those bytes as they are. A
// console window on Windows shows bytes in its own code page, which is seldom
// UTF-8 (932 after `chcp 932`), so there the text goes out as characters
// instead, and reads right under any code page; a file or a pipe there gets
// the bytes of the code page its readers take (textDisplayOf).

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

#include "companion/system_error.h"

// A console window that shows text as characters: Windows' WriteConsoleW
// (companion/system_console.cpp), or a test's stand-in.
class Console {
public:
    virtual ~Console() = default;
    // Shows `text` (UTF-8, lines ending in "\n") as its characters; false,
    // with the system's reason in `why`, when it could not.
    virtual bool show(const std::string& text, SystemError& why) = 0;
};

// The console `file` writes to; null when it writes to anything else (a file,
// a pipe, a device, and on POSIX systems everything).
std::unique_ptr<Console> consoleOf(std::FILE* file);

// What `file` shows text by: its console, or where it is none on Windows the
// bytes of the code page that Windows programs read redirected text in (find,
// type, PowerShell's pipeline): the console's output code page (932 after
// `chcp 932`), through Windows' converter, a character it lacks as '?'. Null,
// so that the file takes the UTF-8 bytes, where that code page is UTF-8, for a
// process without a console, and on POSIX systems.
std::unique_ptr<Console> textDisplayOf(std::FILE* file);

// Text for `file`, or for `console` when one is given. A console is shown
// whole lines, so that no character is cut apart between two writes; the
// rest waits for its line's end or a flush. The file keeps its own buffer.
class TextStream {
public:
    TextStream(std::FILE* file, std::unique_ptr<Console> console);

    void write(const std::string& text);
    // Writes out what waits; false when any write of the stream failed.
    bool flush();
    // Why the first write that failed did (a file's failure whose reason was
    // lost is EIO, the general reason of a failed write).
    const SystemError& error() const { return error_; }

private:
    void show(const std::string& text);
    bool flushFile();

    std::FILE* file_;
    std::unique_ptr<Console> console_;
    std::string waiting_;
    bool failed_ = false;
    SystemError error_;
};

#endif
