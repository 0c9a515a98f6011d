// What a path names: stat and lstat on POSIX, GetFileAttributesW on Windows.
#include "companion/file_kind.h"

#ifdef _WIN32
#include <windows.h>

#include "companion/native_path.h"
#else
#include <sys/stat.h>
#endif

#ifdef _WIN32
// Windows' attributes do not follow a symbolic link: a link to a folder is a
// folder, one to a file a file, which is where links lead on Windows.
FileKind fileKindOf(const std::string& path, SystemError* why) {
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (why != nullptr) {
            *why = lastSystemError();
        }
        return FileKind::none;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileKind::folder;
    }
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? FileKind::other : FileKind::regularFile;
}

bool nameTaken(const std::string& path) {
    return GetFileAttributesW(systemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
#else
FileKind fileKindOf(const std::string& path, SystemError* why) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        if (why != nullptr) {
            *why = lastErrnoError();
        }
        return FileKind::none;
    }
    if (S_ISDIR(status.st_mode)) {
        return FileKind::folder;
    }
    return S_ISREG(status.st_mode) ? FileKind::regularFile : FileKind::other;
}

bool nameTaken(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}
#endif
