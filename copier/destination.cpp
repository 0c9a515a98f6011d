#include "copier/destination.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "companion/diagnostics.h"
#include "companion/file_kind.h"
#include "companion/native_path.h"
#include "copier/copy_messages.h"
#include "names/written_names.h"

namespace {
constexpr int standardOutputDescriptor = 1;

#ifndef _WIN32
constexpr int standardErrorDescriptor = 2;
// Descriptor numbers past this are no file a shell hands on.
constexpr long largestDescriptor = 1 << 20;
constexpr std::size_t mostDigits = 7;

// N of `path` "PREFIXN", N decimal digits; -1 when it is not that.
int numberAfter(const std::string& path, const std::string& prefix) {
    if (path.compare(0, prefix.size(), prefix) != 0 || path.size() == prefix.size() ||
        path.size() - prefix.size() > mostDigits ||
        path.find_first_not_of("0123456789", prefix.size()) != std::string::npos) {
        return -1;
    }
    const long number = std::strtol(path.c_str() + prefix.size(), nullptr, 10);
    return number <= largestDescriptor ? static_cast<int>(number) : -1;
}
#endif

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
    fail(path, why);
    return false;
}
}  // namespace

std::string Destination::inFolder(const std::string& name) const {
    return pathInFolder(path, name);
}

int descriptorNamedBy(const std::string& path) {
    if (path == standardOutputName) {
        return standardOutputDescriptor;
    }
#ifdef _WIN32
    return -1;  // Windows has no names for descriptors
#else
    if (path == "/dev/stdout") {
        return standardOutputDescriptor;
    }
    if (path == "/dev/stderr") {
        return standardErrorDescriptor;
    }
    const int number = numberAfter(path, "/dev/fd/");
    return number >= 0 ? number : numberAfter(path, "/proc/self/fd/");
#endif
}

bool chooseDestination(const CopyRequest& request, Destination& destination) {
    if (request.targetFolder != nullptr) {
        destination = {Destination::Kind::folder, request.targetFolder};
        return checkFolder(destination.path);
    }
    if (request.output == nullptr) {
        destination = {Destination::Kind::folder, ""};
    } else if (descriptorNamedBy(request.output) >= 0) {
        destination = {Destination::Kind::standardOutput, request.output,
                       descriptorNamedBy(request.output)};
    } else if (endsInSeparator(request.output) || isFolder(request.output)) {
        destination = {Destination::Kind::folder, request.output};
        return checkFolder(destination.path);
    } else {
        destination = {Destination::Kind::file, request.output};
    }
    return true;
}
