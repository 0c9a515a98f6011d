#include "copier/copy_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "copier/source_image.h"
#include "copier/temporary_name.h"

namespace {
// Symbolic links are followed at most this deep, as the system itself does.
constexpr int largestLinkDepth = 40;
constexpr std::size_t largestPath = 4096;

// The temporary file that has a name now, for the signal handler to remove.
char pendingName[largestPath];
volatile std::sig_atomic_t namePending = 0;

void removePendingAndEnd(int signalNumber) {
    if (namePending != 0) {
        unlink(pendingName);
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void prepareOnce() {
    static bool prepared = false;
    if (prepared) {
        return;
    }
    prepared = true;
    // A file-size limit then fails the write (EFBIG) instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signalNumber, removePendingAndEnd);
    }
}

void setPending(const std::string& name) {
    namePending = 0;
    if (name.size() < largestPath) {
        std::memcpy(pendingName, name.c_str(), name.size() + 1);
        namePending = 1;
    }
}

// The file a write through `path` reaches: symbolic links followed.
std::string linkTarget(std::string path) {
    for (int depth = 0; depth < largestLinkDepth; ++depth) {
        char link[largestPath];
        ssize_t length = readlink(path.c_str(), link, sizeof link);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof link) {
            break;
        }
        std::string next(link, static_cast<std::size_t>(length));
        path = next[0] == '/' ? next : folderPartOf(path) + next;
    }
    return path;
}

bool fail(CopyWriteFailure& failure) {
    failure.error = lastErrnoError();
    return false;
}

bool writeAll(int file, const uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        ssize_t written = write(file, bytes, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            errno = written == 0 ? ENOSPC : errno;
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return fsync(file) == 0;
}

// A named temporary file beside `target`; its name goes to `name`.
int createNamedTemporary(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        name = temporaryNameFor(target, static_cast<unsigned long>(getpid()), attempt);
        int file = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file >= 0) {
            setPending(name);
        }
        if (file >= 0 || errno != EEXIST) {
            return file;
        }
    }
    return -1;
}

#ifdef O_TMPFILE
// Linux: a temporary file without a name, given one only once it is complete,
// so that even a run killed outright leaves nothing behind. "" in `name`; -1
// where the file system or the system has no such files.
int createUnnamedTemporary(const std::string& target) {
    if (access("/proc/self/fd", X_OK) != 0) {
        return -1;
    }
    std::string folder = folderPartOf(target);
    return open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

std::string descriptorPath(int file) {
    return "/proc/self/fd/" + std::to_string(file);
}

// Gives the unnamed file `file` the name `target`: directly when there is no
// such file yet, else under a temporary name renamed over it.
bool nameUnnamed(int file, const std::string& target) {
    std::string self = descriptorPath(file);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    if (errno != EEXIST) {
        return false;
    }
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        std::string name = temporaryNameFor(target, static_cast<unsigned long>(getpid()), attempt);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            setPending(name);
            bool renamed = rename(name.c_str(), target.c_str()) == 0;
            int error = errno;
            if (!renamed) {
                unlink(name.c_str());
            }
            namePending = 0;
            errno = error;
            return renamed;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return false;
}
#else
int createUnnamedTemporary(const std::string&) {
    return -1;
}
bool nameUnnamed(int, const std::string&) {
    return false;
}
#endif

// A replaced file keeps its permissions, as it would had it been written in place.
void keepPermissionsOf(const std::string& target, int file) {
    struct stat status {};
    if (stat(target.c_str(), &status) == 0) {
        fchmod(file, status.st_mode & 07777);
    }
}

bool writeThrough(const std::string& target, const uint8_t* bytes, std::size_t count,
                  CopyWriteFailure& failure) {
    std::string name;
    int file = createUnnamedTemporary(target);
    if (file < 0) {
        file = createNamedTemporary(target, name);
    }
    if (file < 0) {
        return fail(failure);
    }
    keepPermissionsOf(target, file);
    bool named = !name.empty();
    bool done = writeAll(file, bytes, count) &&
                (named ? rename(name.c_str(), target.c_str()) == 0 : nameUnnamed(file, target));
    failure.error = lastErrnoError();
    close(file);
    if (!name.empty() && !done) {
        unlink(name.c_str());
    }
    namePending = 0;
    return done;
}
}  // namespace

bool writeCopy(const std::string& target, const uint8_t* bytes, int32_t count,
               CopyWriteFailure& failure) {
    prepareOnce();
    std::string reached = linkTarget(target);
    if (sourceImage.isImageFile(reached.c_str())) {
        failure.problem = isTheImageProblem;
        return false;
    }
    return writeThrough(reached, bytes, static_cast<std::size_t>(count < 0 ? 0 : count),
                        failure);
}
