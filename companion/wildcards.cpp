// Wildcards expanded by FindFirstFileW on Windows (see the header).
#include "companion/wildcards.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "companion/file_kind.h"
#include "companion/native_path.h"
#include "companion/windows_command_line.h"
#endif

namespace {
constexpr char matchesNoFile[] = "matches no file";

#ifdef _WIN32
bool isDotOrDotDot(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

bool isNoMatch(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_NO_MORE_FILES;
}

// Windows users quote whole paths ("my images\*.d88"), and no Windows file
// name holds * or ?: such a word is a wildcard too, unless something has that
// name after all (a device's). The ? of an extended-length path's prefix
// (\\?\C:\...) is none.
bool isQuotedWildcard(const std::string& text) {
    constexpr char prefixes[][5] = {"\\\\?\\", "\\\\.\\"};
    std::size_t from = 0;
    for (const char* prefix : prefixes) {
        from = text.compare(0, 4, prefix) == 0 ? 4 : from;
    }
    return text.find_first_of("*?", from) != std::string::npos && !nameTaken(text);
}
#endif
}  // namespace

std::string reasonNothingMatched(const SystemError& why) {
    return why.code != 0 ? reasonFor(why) : matchesNoFile;
}

#ifdef _WIN32
// The line is split again and checked word by word against argv: where the two
// readings differ, no argument is taken for a wildcard.
std::vector<const char*> wildcardArguments(int argc, char** argv) {
    const std::vector<CommandWord> words = splitWindowsCommandLine(narrowPath(GetCommandLineW()));
    std::vector<const char*> wildcards;
    if (words.size() != static_cast<std::size_t>(argc)) {
        return wildcards;
    }
    for (int at = 0; at < argc; ++at) {
        if (words[static_cast<std::size_t>(at)].text != argv[at]) {
            return {};
        }
        const CommandWord& word = words[static_cast<std::size_t>(at)];
        if (at > 0 && (word.wildcard || isQuotedWildcard(word.text))) {
            wildcards.push_back(argv[at]);
        }
    }
    return wildcards;
}

std::vector<std::string> expandWildcard(const std::string& pattern, SystemError& why) {
    why = {};
    std::vector<std::string> paths;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(systemPath(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        why = isNoMatch(GetLastError()) ? SystemError{} : lastSystemError();
        return paths;
    }
    const std::string folder = folderPartOf(pattern);
    do {
        if (!isDotOrDotDot(found.cFileName)) {
            paths.push_back(folder + narrowPath(found.cFileName));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(paths.begin(), paths.end());
    return paths;
}
#else
std::vector<const char*> wildcardArguments(int, char**) {
    return {};
}

// No operand is a wildcard here; a pattern stands for itself.
std::vector<std::string> expandWildcard(const std::string& pattern, SystemError& why) {
    why = {};
    return {pattern};
}
#endif

std::vector<std::string> operandPaths(
    const ParsedCommandLine& parsed,
    const std::function<void(const char* wildcard, const std::string& reason)>& nothingMatched) {
    std::vector<std::string> paths;
    for (const char* operand : parsed.operands) {
        if (!parsed.isWildcard(operand)) {
            paths.push_back(operand);
            continue;
        }
        SystemError why;
        const std::vector<std::string> matches = expandWildcard(operand, why);
        if (matches.empty()) {
            nothingMatched(operand, reasonNothingMatched(why));
        }
        paths.insert(paths.end(), matches.begin(), matches.end());
    }
    return paths;
}
