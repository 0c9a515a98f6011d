#include "copier/copy_writer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "copier/temporary_name.h"

namespace {
// Symbolic links are followed at most this deep, as the system itself does.
constexpr int largestLinkDepth = 40;
constexpr std::size_t largestPath = 4096;

// While a temporary file of the copy exists, the signals that end a run are
// held back: one that comes meanwhile ends the run once the file is renamed
// into place or removed, so an interrupted copy leaves no temporary behind.
// No handler is needed, and so no state a handler could reach.
class EndingSignalsHeld {
public:
    EndingSignalsHeld() {
        sigset_t ending;
        sigemptyset(&ending);
        for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
            sigaddset(&ending, signalNumber);
        }
        pthread_sigmask(SIG_BLOCK, &ending, &before_);
    }
    ~EndingSignalsHeld() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

private:
    sigset_t before_;
};

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

bool writeBytes(int file, const uint8_t* bytes, std::size_t count) {
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
    return true;
}

bool writeAll(int file, const uint8_t* bytes, std::size_t count) {
    return writeBytes(file, bytes, count) && fsync(file) == 0;
}

// A device, FIFO or socket: anything that is there and is no regular file
// and no folder, which a rename would replace by a regular file.
bool isDevice(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) &&
           !S_ISDIR(status.st_mode);
}

// A device takes the bytes as they come, as cp writes to one; it is not
// synced (most devices and every FIFO refuse that).
CopyWriteResult writeToDevice(const std::string& path, const uint8_t* bytes, std::size_t count) {
    CopyWriteResult result;
    int file = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    result.written = file >= 0 && writeBytes(file, bytes, count);
    result.error = lastErrnoError();
    if (file >= 0) {
        close(file);
    }
    return result;
}

// A named temporary file beside `target`; its name goes to `name`.
int createNamedTemporary(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        name = temporaryNameFor(target, static_cast<unsigned long>(getpid()), attempt);
        int file = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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
            bool renamed = rename(name.c_str(), target.c_str()) == 0;
            int error = errno;
            if (!renamed) {
                unlink(name.c_str());
            }
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

// What the file to be replaced was, when there is one.
struct ReplacedFile {
    bool exists = false;
    struct stat status {};
};

ReplacedFile replacedFile(const std::string& target) {
    ReplacedFile replaced;
    replaced.exists = stat(target.c_str(), &replaced.status) == 0;
    return replaced;
}

// Whether the user may write `target` (as cp would open it to write): a file
// that does not exist yet may be made. Checked with the effective user, as
// the rename's own rights are.
bool userMayWrite(const std::string& target) {
    return faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 ||
           (errno != EACCES && errno != EPERM);
}

// The new file takes the replaced one's owner and group where the system
// allows it (root: both; another user: a group of theirs), then its mode, as
// had it been written in place. The owner goes first: changing it may clear
// set-user-ID bits. What is not allowed stays the copier's own.
void keepOwnerAndMode(const ReplacedFile& replaced, int file) {
    if (!replaced.exists) {
        return;
    }
    const struct stat& status = replaced.status;
    if (fchown(file, status.st_uid, status.st_gid) != 0 &&
        fchown(file, static_cast<uid_t>(-1), status.st_gid) != 0) {
        errno = 0;  // neither is allowed: the copier's owner and group stay
    }
    fchmod(file, status.st_mode & 07777);
}

// A temporary file beside `target`: without a name where the system has such
// files and `kind` allows, else with one (its name to `name`).
int openTemporary(const std::string& target, TemporaryFile kind, std::string& name) {
    int file = kind == TemporaryFile::best ? createUnnamedTemporary(target) : -1;
    return file >= 0 ? file : createNamedTemporary(target, name);
}

// Writes the bytes and gives the temporary file the target's name.
bool fillAndName(int file, const std::string& name, const std::string& target,
                 const uint8_t* bytes, std::size_t count) {
    return writeAll(file, bytes, count) &&
           (!name.empty() ? rename(name.c_str(), target.c_str()) == 0
                          : nameUnnamed(file, target));
}

CopyWriteResult writeThrough(const std::string& target, const uint8_t* bytes, std::size_t count,
                             TemporaryFile kind) {
    CopyWriteResult result;
    const ReplacedFile replaced = replacedFile(target);
    const EndingSignalsHeld held;
    std::string name;
    int file = openTemporary(target, kind, name);
    if (file < 0) {
        result.error = lastErrnoError();
        result.noTemporary = true;
        return result;
    }
    keepOwnerAndMode(replaced, file);
    result.written = fillAndName(file, name, target, bytes, count);
    result.error = lastErrnoError();
    close(file);
    if (!name.empty() && !result.written) {
        unlink(name.c_str());
    }
    const bool linked = result.written && replaced.exists && replaced.status.st_nlink > 1;
    result.otherLinks = linked ? static_cast<unsigned long>(replaced.status.st_nlink - 1) : 0;
    return result;
}

bool isTheImage(const D88Image* image, const char* path) {
    return image != nullptr && image->isImageFile(path);
}
}  // namespace

SystemCopyWriter::SystemCopyWriter() {
    // A file-size limit then fails the write (EFBIG) instead of ending the process.
    signal(SIGXFSZ, SIG_IGN);
}

CopyWriteResult SystemCopyWriter::write(const std::string& target, const uint8_t* bytes,
                                        int32_t count, const CopyWriteOptions& options) {
    const std::string reached = linkTarget(target);
    CopyWriteResult result;
    const std::size_t length = static_cast<std::size_t>(count < 0 ? 0 : count);
    if (isTheImage(options.image, reached.c_str())) {
        result.problem = isTheImageProblem;
    } else if (isDevice(reached)) {
        result = writeToDevice(reached, bytes, length);
    } else if (!options.force && !userMayWrite(reached)) {
        result.problem = readOnlyProblem;
    } else {
        result = writeThrough(reached, bytes, length, options.temporary);
    }
    return result;
}
