// The console a stream writes to: Windows' console windows, through their
// wide-character call; POSIX terminals take bytes, so there is none there.
#include "companion/text_stream.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include <cerrno>

#include "names/unicode.h"

namespace {
// WriteConsoleW takes a limited buffer on older Windows: the text goes in
// pieces of at most this many UTF-16 units.
constexpr std::size_t largestPiece = 8192;

bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// "\n" as a text stream writes it, "\r\n", so a console sees what it would.
std::wstring consoleCharacters(const std::string& text) {
    std::string lines;
    for (char c : text) {
        lines += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return wideOfUtf8(lines);
}

class WindowsConsole : public Console {
public:
    explicit WindowsConsole(HANDLE handle) : handle_(handle) {}

    bool show(const std::string& text, SystemError& why) override {
        const std::wstring wide = consoleCharacters(text);
        for (std::size_t at = 0; at < wide.size();) {
            // No std::min: MSVC's windows.h makes min a macro.
            const std::size_t left = wide.size() - at;
            std::size_t piece = left > largestPiece ? largestPiece : left;
            // A surrogate pair stays in one piece.
            piece -= piece > 1 && isHighSurrogate(wide[at + piece - 1]) ? 1 : 0;
            DWORD written = 0;
            if (!WriteConsoleW(handle_, wide.data() + at, static_cast<DWORD>(piece), &written,
                               nullptr) ||
                written == 0) {
                why = lastSystemError();
                return false;
            }
            at += written;
        }
        return true;
    }

private:
    HANDLE handle_;
};

// A file or a pipe that takes its text in `codePage`, whole lines at a time.
class CodePageFile : public Console {
public:
    CodePageFile(std::FILE* file, UINT codePage) : file_(file), codePage_(codePage) {}

    bool show(const std::string& text, SystemError& why) override {
        const std::string bytes = codePageOfUtf8(text, codePage_);
        errno = 0;
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() &&
            std::fflush(file_) == 0) {
            return true;
        }
        why = {SystemError::Kind::errnoValue, errno != 0 ? errno : EIO};
        return false;
    }

private:
    std::FILE* file_;
    UINT codePage_;
};
}  // namespace

std::unique_ptr<Console> consoleOf(std::FILE* file) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        return nullptr;
    }
    return std::unique_ptr<Console>(new WindowsConsole(handle));
}

std::unique_ptr<Console> textDisplayOf(std::FILE* file) {
    std::unique_ptr<Console> console = consoleOf(file);
    // The console's code page is what find, type and PowerShell read redirected
    // text in; a process without any console has no such readers, and its text
    // stays UTF-8 (the programs' own code page).
    const UINT codePage = console ? CP_UTF8 : GetConsoleOutputCP();
    if (console || codePage == 0 || codePage == CP_UTF8) {
        return console;
    }
    return std::unique_ptr<Console>(new CodePageFile(file, codePage));
}
#else
std::unique_ptr<Console> consoleOf(std::FILE*) {
    return nullptr;
}

std::unique_ptr<Console> textDisplayOf(std::FILE*) {
    return nullptr;
}
#endif
