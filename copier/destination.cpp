#include "copier/destination.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "companion/diagnostics.h"
#include "companion/native_path.h"
#include "copier/copy_messages.h"
#include "names/output_names.h"

namespace fs = std::filesystem;

namespace {
bool endsInSeparator(const std::string& path) {
#ifdef _WIN32
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
#else
    return !path.empty() && path.back() == '/';
#endif
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(nativePath(path), error);
}

// A folder asked for by name must exist; says why it cannot be used.
bool checkFolder(const std::string& path) {
    std::error_code error;
    fs::file_status status = fs::status(nativePath(path), error);
    if (fs::is_directory(status)) {
        return true;
    }
    SystemError why = error ? systemErrorOf(error)
                            : SystemError{SystemError::Kind::errnoValue, ENOTDIR};
    reportFileError(copierName, path, why);
    return false;
}
}  // namespace

std::string Destination::inFolder(const std::string& name) const {
    if (path.empty()) {
        return name;
    }
    return endsInSeparator(path) ? path + name : path + "/" + name;
}

bool chooseDestination(const CopyRequest& request, Destination& destination) {
    if (request.targetFolder != nullptr) {
        destination = {Destination::Kind::folder, request.targetFolder};
        return checkFolder(destination.path);
    }
    if (request.output == nullptr) {
        destination = {Destination::Kind::folder, ""};
    } else if (std::strcmp(request.output, standardOutputName) == 0) {
        destination = {Destination::Kind::standardOutput, standardOutputName};
    } else if (endsInSeparator(request.output) || isFolder(request.output)) {
        destination = {Destination::Kind::folder, request.output};
        return checkFolder(destination.path);
    } else {
        destination = {Destination::Kind::file, request.output};
    }
    return true;
}

bool nameTaken(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(nativePath(path), error));
}
