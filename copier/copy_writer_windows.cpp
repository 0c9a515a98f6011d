#include "copier/copy_writer.h"

#include <windows.h>

#include "companion/native_path.h"
#include "copier/temporary_name.h"

// Windows: the temporary file is written with WriteFile, flushed with
// FlushFileBuffers and renamed over the target with MoveFileExW and
// MOVEFILE_REPLACE_EXISTING, which replaces an existing file whole. A symbolic
// link as the target is replaced itself, not followed (such links need special
// rights on Windows and are rare). A device (NUL, CON, COM1, a named pipe) is
// written directly: it cannot be replaced. Every path goes to the system in
// its extended-length form, so that paths past 260 characters are written too.
// Windows has no file-size limit and no signals that end a run: a run ended
// from outside (Ctrl+C, a killed process) may leave its temporary file behind.

namespace {
HANDLE createTemporary(const std::string& target, std::wstring& name) {
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        name = systemPath(temporaryNameFor(target, GetCurrentProcessId(), attempt));
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool writeBytes(HANDLE file, const uint8_t* bytes, int32_t count) {
    DWORD written = 0;
    return count <= 0 || (WriteFile(file, bytes, static_cast<DWORD>(count), &written, nullptr) !=
                              0 &&
                          written == static_cast<DWORD>(count));
}

bool writeAll(HANDLE file, const uint8_t* bytes, int32_t count) {
    return writeBytes(file, bytes, count) && FlushFileBuffers(file) != 0;
}

// `target` opened for writing when it is a device, whose type is not a disk
// file's; INVALID_HANDLE_VALUE for anything else.
HANDLE openDevice(const std::wstring& target) {
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) == FILE_TYPE_DISK) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// A device takes the bytes as they come; it is not flushed (a console refuses that).
CopyWriteResult writeToDevice(HANDLE device, const uint8_t* bytes, int32_t count) {
    CopyWriteResult result;
    result.written = writeBytes(device, bytes, count);
    result.error = lastSystemError();
    CloseHandle(device);
    return result;
}

// Whether the attributes of a file (INVALID_FILE_ATTRIBUTES: none) make it
// read-only, Windows' own mode of a file the user may not write.
bool isReadOnly(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// How many names (hard links) the file has; 0 when there is no file.
unsigned long linkCountOf(const std::wstring& path) {
    constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(path.c_str(), 0, shareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    return known ? information.nNumberOfLinks : 0;
}

// Moves the temporary file over the target. A read-only target (replaced with
// -f) loses the attribute for the move, and the new file gets it back, as the
// mode passes to the new file on POSIX.
bool moveOver(const std::wstring& name, const std::wstring& target, DWORD attributes) {
    const bool readOnly = isReadOnly(attributes);
    if (readOnly) {
        SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    const bool moved = MoveFileExW(name.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    const DWORD error = GetLastError();
    if (readOnly) {
        const DWORD now = GetFileAttributesW(target.c_str());
        SetFileAttributesW(target.c_str(), moved ? now | FILE_ATTRIBUTE_READONLY : attributes);
    }
    SetLastError(error);
    return moved;
}

CopyWriteResult writeThrough(const std::string& target, const uint8_t* bytes, int32_t count,
                             DWORD attributes) {
    CopyWriteResult result;
    const std::wstring wideTarget = systemPath(target);
    const unsigned long links = linkCountOf(wideTarget);
    std::wstring name;
    HANDLE file = createTemporary(target, name);
    if (file == INVALID_HANDLE_VALUE) {
        result.error = lastSystemError();
        result.noTemporary = true;
        return result;
    }
    const bool filled = writeAll(file, bytes, count);
    result.error = lastSystemError();
    CloseHandle(file);
    result.written = filled && moveOver(name, wideTarget, attributes);
    if (!result.written) {
        result.error = filled ? lastSystemError() : result.error;
        DeleteFileW(name.c_str());
    }
    result.otherLinks = result.written && links > 1 ? links - 1 : 0;
    return result;
}

bool isTheImage(const D88Image* image, const char* path) {
    return image != nullptr && image->isImageFile(path);
}
}  // namespace

SystemCopyWriter::SystemCopyWriter() = default;

// The one way of Windows: every temporary file has a name, so `temporary` is
// the same either way.
CopyWriteResult SystemCopyWriter::write(const std::string& target, const uint8_t* bytes,
                                        int32_t count, const CopyWriteOptions& options) {
    CopyWriteResult result;
    if (isTheImage(options.image, target.c_str())) {
        result.problem = isTheImageProblem;
        return result;
    }
    const std::wstring wideTarget = systemPath(target);
    HANDLE device = openDevice(wideTarget);
    if (device != INVALID_HANDLE_VALUE) {
        return writeToDevice(device, bytes, count);
    }
    const DWORD attributes = GetFileAttributesW(wideTarget.c_str());
    if (isReadOnly(attributes) && !options.force) {
        result.problem = readOnlyProblem;
    } else {
        result = writeThrough(target, bytes, count, attributes);
    }
    return result;
}
