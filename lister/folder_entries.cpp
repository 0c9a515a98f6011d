// A folder's names: std::filesystem on POSIX; FindFirstFileW on Windows, whose
// C library reads folders only within 260 characters of their full path.
#include "lister/folder_entries.h"

#ifdef _WIN32
#include <windows.h>

#include <cwchar>

#include "companion/diagnostics.h"
#include "companion/native_path.h"
#else
#include <filesystem>
#include <system_error>
#endif

#ifdef _WIN32
namespace {
constexpr char everyName[] = "*";

bool isDotOrDotDot(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

// Windows' attributes tell a link by its reparse point and do not follow it.
FolderEntry::Kind kindOf(DWORD attributes) {
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (folder) {
        return link ? FolderEntry::Kind::other : FolderEntry::Kind::folder;
    }
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? FolderEntry::Kind::other
                                                     : FolderEntry::Kind::file;
}
}  // namespace

bool readFolder(const std::string& folder, std::vector<FolderEntry>& entries, std::string& why) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(systemPath(pathInFolder(folder, everyName)).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        why = reasonFor(lastSystemError());
        return false;
    }
    do {
        if (!isDotOrDotDot(found.cFileName)) {
            entries.push_back({narrowPath(found.cFileName), kindOf(found.dwFileAttributes)});
        }
    } while (FindNextFileW(search, &found));
    const SystemError ended = lastSystemError();
    FindClose(search);
    if (ended.code != ERROR_NO_MORE_FILES) {
        why = reasonFor(ended);
        return false;
    }
    return true;
}
#else
namespace fs = std::filesystem;

namespace {
FolderEntry::Kind kindOf(const fs::directory_entry& entry) {
    std::error_code error;
    if (entry.is_directory(error) && !entry.is_symlink(error)) {
        return FolderEntry::Kind::folder;
    }
    return entry.is_regular_file(error) ? FolderEntry::Kind::file : FolderEntry::Kind::other;
}
}  // namespace

bool readFolder(const std::string& folder, std::vector<FolderEntry>& entries, std::string& why) {
    std::error_code error;
    for (fs::directory_iterator it(fs::u8path(folder), error), end; !error && it != end;
         it.increment(error)) {
        entries.push_back({it->path().filename().native(), kindOf(*it)});
    }
    if (error) {
        why = error.message();
        return false;
    }
    return true;
}
#endif
