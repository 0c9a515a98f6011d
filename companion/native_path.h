#ifndef QUELT_COMPANION_NATIVE_PATH_H
#define QUELT_COMPANION_NATIVE_PATH_H

// Paths as the companions build them and as the system takes them. The
// programs get their arguments in the process's code page (UTF-8 on Windows
// through their manifest); Windows' own calls take UTF-16 paths. On POSIX a
// path's bytes are used as they are.

#include <string>

// What the companions put between a folder and a name they add to it, so that
// the paths they print read as the system writes them: \ on Windows, /
// elsewhere.
#ifdef _WIN32
constexpr char nativeSeparator = '\\';
#else
constexpr char nativeSeparator = '/';
#endif

// Whether `c` ends a folder's name in a path: / everywhere, \ on Windows too.
bool isPathSeparator(char c);

// The file `name` in `folder`: the native separator between them unless the
// folder ends in a separator already; `name` alone for the folder "".
std::string pathInFolder(const std::string& folder, const std::string& name);

// The folder part of `path`, with its final separator ("" for the current
// folder): up to its last separator, on Windows also up to a drive's colon
// ("C:" of "C:x.d88").
std::string folderPartOf(const std::string& path);

// A full path (GetFullPathNameW's) in the form that Windows' calls take at any
// length, past MAX_PATH (260) too, whatever the system's long-path setting:
// "\\?\C:\..." for a drive's path, "\\?\UNC\server\share\..." for a network
// share's. A device's ("\\.\NUL") and one in that form already stay as they
// are. Pure text, so that it is the same on every system.
std::wstring extendedLengthPath(const std::wstring& fullPath);

#ifdef _WIN32
// `path` from the process's code page to UTF-16 (empty when it does not convert).
std::wstring widePath(const std::string& path);
// A UTF-16 path back in the process's code page.
std::string narrowPath(const std::wstring& path);
// `path` as the companions give it to Windows' calls: in UTF-16, made full
// against the current folder as Windows does (/ as \, . and .. resolved, a
// last dot or space dropped, a device's name as the device), in its extended
// length form. "" stays "".
std::wstring systemPath(const std::string& path);
#endif

#endif
