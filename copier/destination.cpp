#include "copier/destination.h"

#include <cerrno>
#include <cstring>

#include "companion/diagnostics.h"
#include "companion/file_kind.h"
#include "companion/native_path.h"
#include "copier/copy_messages.h"
#include "names/output_names.h"

namespace {
bool endsInSeparator(const std::string& path) {
    return !path.empty() && isPathSeparator(path.back());
}

bool isFolder(const std::string& path) {
    return fileKindOf(path) == FileKind::folder;
}

// A folder asked for by name must exist; says why it cannot be used.
bool checkFolder(const std::string& path) {
    SystemError why{SystemError::Kind::errnoValue, ENOTDIR};
    if (fileKindOf(path, &why) == FileKind::folder) {
        return true;
    }
    reportFileError(copierName, path, why);
    return false;
}
}  // namespace

std::string Destination::inFolder(const std::string& name) const {
    return pathInFolder(path, name);
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
