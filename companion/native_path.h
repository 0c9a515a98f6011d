#ifndef QUELT_COMPANION_NATIVE_PATH_H
#define QUELT_COMPANION_NATIVE_PATH_H

// The programs get their arguments in the process's code page (UTF-8 on Windows
// through their manifest); Windows' own calls and std::filesystem there take
// UTF-16 paths. On POSIX a path's bytes are used as they are.

#include <filesystem>
#include <string>

// `path` as a std::filesystem path.
std::filesystem::path nativePath(const std::string& path);

#ifdef _WIN32
// `path` from the process's code page to UTF-16 (empty when it does not convert).
std::wstring widePath(const std::string& path);
// A UTF-16 path back in the process's code page.
std::string narrowPath(const std::wstring& path);
#endif

#endif
