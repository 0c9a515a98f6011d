// The IMAGE operand, "-" for standard input (see the header).
#include "companion/image_input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "companion/native_path.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
#ifdef _WIN32
std::wstring standardInputCopy;  // removed at exit

void removeStandardInputCopy() {
    DeleteFileW(standardInputCopy.c_str());
}

bool copyStream(std::FILE* from, std::FILE* to) {
    char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, from)) > 0) {
        if (std::fwrite(block, 1, got, to) != got) {
            return false;
        }
    }
    return std::ferror(from) == 0 && std::fflush(to) == 0;
}

// Standard input, copied whole to a new temporary file; its name, or "" with
// the reason in `why`.
std::string copyOfStandardInput(SystemError& why) {
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t name[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"qlt", 0, name) == 0) {
        why = lastSystemError();
        return "";
    }
    standardInputCopy = name;
    std::atexit(removeStandardInputCopy);
    _setmode(_fileno(stdin), _O_BINARY);
    std::FILE* copy = _wfopen(name, L"wb");
    bool copied = copy != nullptr && copyStream(stdin, copy);
    why = lastErrnoError();
    if (copy != nullptr) {
        std::fclose(copy);
    }
    return copied ? narrowPath(name) : "";
}

// Why `path` cannot be read.
SystemError whyUnreadable(const char* path) {
    std::wstring wide = widePath(path);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {SystemError::Kind::errnoValue, EISDIR};
    }
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return lastSystemError();
    }
    CloseHandle(file);
    return {SystemError::Kind::errnoValue, EIO};
}
#else
// Standard input by a name that any file API opens, pipes included.
constexpr char standardInputPath[] = "/dev/stdin";

// Why `path` cannot be read: it does not open, it is a folder, or reading fails.
SystemError whyUnreadable(const char* path) {
    int file = ::open(path, O_RDONLY);
    if (file < 0) {
        return lastErrnoError();
    }
    struct stat status {};
    char probe = 0;
    int error = fstat(file, &status) != 0      ? errno
                : S_ISDIR(status.st_mode)      ? EISDIR
                : ::read(file, &probe, 1) < 0 ? errno
                                               : EIO;
    ::close(file);
    return {SystemError::Kind::errnoValue, error};
}
#endif

// The name the image is opened by; "" with the reason in `why` when there is none.
std::string imagePath(const char* operand, SystemError& why) {
    if (std::strcmp(operand, standardInputOperand) != 0) {
        return operand;
    }
#ifdef _WIN32
    return copyOfStandardInput(why);
#else
    (void)why;
    return standardInputPath;
#endif
}
}  // namespace

bool openImage(D88Image& image, const char* operand, SystemError& why) {
    std::string path = imagePath(operand, why);
    if (path.empty()) {
        return false;
    }
    if (!image.open(path.c_str())) {
        why = whyUnreadable(path.c_str());
        return false;
    }
    return true;
}
