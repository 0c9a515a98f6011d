// The IMAGE operand, "-" for standard input (see the header).
#include "companion/image_input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "image/file_source.h"
#include "image/stream_copy.h"

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
// Standard input in binary mode, read as it comes.
class StandardInput : public SequentialInput {
public:
    StandardInput() { _setmode(_fileno(stdin), _O_BINARY); }
    std::size_t read(uint8_t* dest, std::size_t count) override {
        return std::fread(dest, 1, count, stdin);
    }
    bool failed() const override { return std::ferror(stdin) != 0; }
};

std::unique_ptr<ByteSource> standardInputSource(SystemError& why) {
    std::unique_ptr<ByteSource> source =
        StreamCopy::over(std::unique_ptr<SequentialInput>(new StandardInput));
    if (!source) {
        why = lastErrnoError();
    }
    return source;
}

// Why `path` cannot be read; only asked once it failed to open as an image.
SystemError whyUnreadable(const char* path) {
    std::wstring wide = systemPath(path);
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

// The file through its extended-length path, which reaches past 260 characters.
std::unique_ptr<ByteSource> fileSource(const char* path) {
    return openNativePathSource(std::filesystem::path(systemPath(path)));
}
#else
// Standard input by a name that any file API opens, pipes included.
constexpr char standardInputPath[] = "/dev/stdin";

// Why `path` cannot be read: it does not open, it is a folder, or reading fails.
// Only asked once it failed to open as an image; a FIFO is not waited for.
SystemError whyUnreadable(const char* path) {
    int file = ::open(path, O_RDONLY | O_NONBLOCK);
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

// The file by its path's bytes, as quelt opens it.
std::unique_ptr<ByteSource> fileSource(const char* path) {
    return openPathSource(path);
}

std::unique_ptr<ByteSource> standardInputSource(SystemError& why) {
    std::unique_ptr<ByteSource> source = fileSource(standardInputPath);
    if (!source) {
        why = whyUnreadable(standardInputPath);
    }
    return source;
}
#endif
}  // namespace

const char* pathOfOperand(const char* operand) {
    if (std::strcmp(operand, standardInputOperand) != 0) {
        return operand;
    }
#ifdef _WIN32
    return nullptr;
#else
    return standardInputPath;
#endif
}

std::unique_ptr<ByteSource> openOperand(const char* operand, SystemError& why,
                                        SourceOpener* opener) {
    if (opener != nullptr) {
        std::unique_ptr<ByteSource> source = opener->open(operand);
        why = {SystemError::Kind::errnoValue, ENOENT};
        return source;
    }
    if (std::strcmp(operand, standardInputOperand) == 0) {
        return standardInputSource(why);
    }
    std::unique_ptr<ByteSource> source = fileSource(operand);
    if (!source) {
        why = whyUnreadable(operand);
    }
    return source;
}

bool openImage(D88Image& image, const char* operand, SystemError& why) {
    std::unique_ptr<ByteSource> source = openOperand(operand, why);
    return source && image.open(std::move(source), pathOfOperand(operand));
}
