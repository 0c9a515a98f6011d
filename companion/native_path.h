#ifndef QUELT_COMPANION_NATIVE_PATH_H
#define QUELT_COMPANION_NATIVE_PATH_H

// Windows' own calls take UTF-16 paths; the programs get their arguments in the
// process's code page (UTF-8 through their manifest). POSIX calls take the
// arguments as they are, so this exists on Windows only.

#ifdef _WIN32
#include <string>

// `path` from the process's code page to UTF-16 (empty when it does not convert).
std::wstring widePath(const std::string& path);
// A UTF-16 path back in the process's code page.
std::string narrowPath(const std::wstring& path);
#endif

#endif
