#include "copier/copy_writer.h"

#include <windows.h>

#include "companion/native_path.h"
#include "copier/source_image.h"
#include "copier/temporary_name.h"

// Windows: the temporary file is written with WriteFile, flushed with
// FlushFileBuffers and renamed over the target with MoveFileExW and
// MOVEFILE_REPLACE_EXISTING, which replaces an existing file whole. A symbolic
// link as the target is replaced itself, not followed (such links need special
// rights on Windows and are rare). Windows has no file-size limit and no
// signals that end a run: a run ended from outside (Ctrl+C, a killed process)
// may leave its temporary file behind.

namespace {
bool fail(CopyWriteFailure& failure) {
    failure.error = lastSystemError();
    return false;
}

HANDLE createTemporary(const std::string& target, std::wstring& name) {
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        name = widePath(temporaryNameFor(target, GetCurrentProcessId(), attempt));
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool writeAll(HANDLE file, const uint8_t* bytes, int32_t count) {
    DWORD written = 0;
    bool whole = count <= 0 || (WriteFile(file, bytes, static_cast<DWORD>(count), &written,
                                          nullptr) != 0 &&
                                written == static_cast<DWORD>(count));
    return whole && FlushFileBuffers(file) != 0;
}
}  // namespace

bool writeCopy(const std::string& target, const uint8_t* bytes, int32_t count,
               CopyWriteFailure& failure) {
    if (sourceImage.isImageFile(target.c_str())) {
        failure.problem = isTheImageProblem;
        return false;
    }
    std::wstring name;
    HANDLE file = createTemporary(target, name);
    if (file == INVALID_HANDLE_VALUE) {
        return fail(failure);
    }
    bool written = writeAll(file, bytes, count);
    failure.error = lastSystemError();
    CloseHandle(file);
    bool done = written && MoveFileExW(name.c_str(), widePath(target).c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!done) {
        failure.error = written ? lastSystemError() : failure.error;
        DeleteFileW(name.c_str());
    }
    return done;
}
