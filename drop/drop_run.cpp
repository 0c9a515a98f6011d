// quelt-drop: an image or an archive dropped on it (or given as its argument)
// is joined into its set by quelt-join, and quelt runs on the set in a new
// folder beside it named for it, its Shift_JIS lines shown decoded.
// A window that Explorer opened for it waits for a key before it closes.
#include <conio.h>
#include <windows.h>

#include <string>
#include <vector>

#include "companion/console.h"
#include "companion/diagnostics.h"
#include "companion/native_path.h"
#include "drop/drop_messages.h"
#include "names/shift_jis.h"

namespace {
// An argument as CreateProcessW's child reads it back (the C library's rules):
// quoted, each quote escaped, the backslashes before a quote doubled.
std::wstring quoted(const std::wstring& argument) {
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            text += c;
            continue;
        }
        text.append(c == L'"' ? backslashes + 1 : 0, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(backslashes, L'\\');
    return text + L"\"";
}

// The folder quelt-drop.exe lies in, with its final separator.
std::wstring ownFolder() {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    const std::wstring own(path.data(), length);
    return own.substr(0, own.find_last_of(L"\\/") + 1);
}

// The exit status of `process` once it ended.
int exitStatusOf(HANDLE process) {
    WaitForSingleObject(process, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process, &status);
    CloseHandle(process);
    return static_cast<int>(status);
}

// A byte of quelt's lines that is no Shift_JIS character's, as it is.
std::string asItIs(uint8_t byte) {
    return std::string(1, static_cast<char>(byte));
}

// quelt's lines (both its streams, in the order it wrote them) read from
// `pipe` to its end, and shown as characters: its Shift_JIS bytes read right
// whatever the console's code page and font table.
void showShiftJisLines(HANDLE pipe) {
    std::string waiting;
    char bytes[4096];
    DWORD got = 0;
    while (ReadFile(pipe, bytes, sizeof bytes, &got, nullptr) && got > 0) {
        waiting.append(bytes, got);
        // Whole lines only: a double-byte character never splits.
        const std::size_t end = waiting.rfind('\n');
        if (end != std::string::npos) {
            putOutput(decodeShiftJis(waiting.substr(0, end + 1), asItIs));
            waiting.erase(0, end + 1);
        }
    }
    putOutput(decodeShiftJis(waiting, asItIs));
    flushOutput();
}

// Starts `program` beside quelt-drop.exe with `arguments` in `folder`, its
// standard output and error to `output` when given; its process, or null
// when it could not be started (said on standard error).
HANDLE startBeside(const wchar_t* program, const std::vector<std::wstring>& arguments,
                   const std::wstring& folder, HANDLE output = nullptr) {
    const std::wstring path = ownFolder() + program;
    std::wstring line = quoted(path);
    for (const std::wstring& argument : arguments) {
        line += L" " + quoted(argument);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION process = {};
    flushOutput();
    if (!CreateProcessW(path.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        const std::string why = std::string(notStartedText) + ": " + reasonFor(lastSystemError());
        fail(narrowPath(path), why.c_str());
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

// The same, waited for: its exit status, or -1 when it did not start.
int runBeside(const wchar_t* program, const std::vector<std::wstring>& arguments,
              const std::wstring& folder) {
    HANDLE process = startBeside(program, arguments, folder);
    return process != nullptr ? exitStatusOf(process) : -1;
}

// The image's name without its last extension ("ゲーム" of "ゲーム.zip").
std::wstring stemOf(const std::wstring& image) {
    const std::size_t name = image.find_last_of(L"\\/:") + 1;
    const std::size_t dot = image.rfind(L'.');
    const std::size_t end = dot != std::wstring::npos && dot > name ? dot : image.size();
    return image.substr(name, end - name);
}

// A new folder beside the image, named for it: "NAME", else "NAME (2)", ...;
// empty, having said why, when none can be made.
std::wstring newFolderFor(const std::wstring& image) {
    const std::size_t name = image.find_last_of(L"\\/:") + 1;
    const std::wstring base = image.substr(0, name) + stemOf(image);
    for (int attempt = 1; attempt <= folderAttempts; ++attempt) {
        const std::wstring folder =
            attempt == 1 ? base : base + L" (" + std::to_wstring(attempt) + L")";
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            return folder;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    fail(narrowPath(base), lastSystemError());
    return L"";
}

// quelt on the joined set, its lines read through a pipe and shown decoded.
int runQuelt(const std::wstring& folder) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE reading = nullptr;
    HANDLE writing = nullptr;
    if (!CreatePipe(&reading, &writing, &inherited, 0)) {
        fail(narrowPath(folder), lastSystemError());
        return 1;
    }
    // Only quelt keeps the writing end: the pipe ends when quelt does.
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    HANDLE process = startBeside(queltProgram, {widePath(joinedSetName)}, folder, writing);
    CloseHandle(writing);
    if (process != nullptr) {
        showShiftJisLines(reading);
    }
    CloseHandle(reading);
    return process != nullptr ? exitStatusOf(process) : 1;
}

int dropImage(const std::wstring& given) {
    std::vector<wchar_t> full(32768);
    const DWORD length =
        GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    const std::wstring image = length > 0 ? std::wstring(full.data(), length) : given;
    const std::wstring folder = newFolderFor(image);
    if (folder.empty()) {
        return 1;
    }
    printOutput(dropStartFormat, narrowPath(image).c_str(), narrowPath(folder).c_str());
    const std::wstring set = folder + L"\\" + widePath(joinedSetName);
    const int joined = runBeside(joinProgram, {L"--set", L"-o", set, L"--", image}, folder);
    if (joined != 0) {
        printOutput("%s", noSetText);
        return 1;
    }
    return runQuelt(folder);
}

// A console that this process alone is attached to was made for it: Explorer
// started it, and its window closes when it ends.
bool ownsItsWindow() {
    DWORD processes[2];
    return GetConsoleProcessList(processes, 2) == 1;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    setProgramName(dropName);
    int status = 0;
    if (argc < 2) {
        printOutput("%s", dropUsageText);
        status = 1;
    }
    for (int at = 1; at < argc; ++at) {
        status = dropImage(argv[at]) != 0 ? 1 : status;
    }
    if (ownsItsWindow()) {
        printOutput("%s", pressAKeyText);
        flushOutput();
        _getwch();
    }
    return finishOutput(status);
}
