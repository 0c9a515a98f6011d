#include "image/temporary_copy.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
constexpr int namesTried = 100;

#ifdef _WIN32
int createExclusive(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
}
bool writeSome(int descriptor, const uint8_t* bytes, std::size_t count, std::size_t& written) {
    const int chunk = count > 0x40000000 ? 0x40000000 : static_cast<int>(count);
    const int got = _write(descriptor, bytes, static_cast<unsigned>(chunk));
    written = got > 0 ? static_cast<std::size_t>(got) : 0;
    return got > 0;
}
void closeDescriptor(int descriptor) {
    _close(descriptor);
}
long long processId() {
    return _getpid();
}
// An open file cannot be removed on Windows: close() removes it.
constexpr bool removableWhileOpen = false;
#else
int createExclusive(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, S_IRUSR | S_IWUSR);
}
bool writeSome(int descriptor, const uint8_t* bytes, std::size_t count, std::size_t& written) {
    const ssize_t got = ::write(descriptor, bytes, count);
    written = got > 0 ? static_cast<std::size_t>(got) : 0;
    return got > 0;
}
void closeDescriptor(int descriptor) {
    ::close(descriptor);
}
long long processId() {
    return static_cast<long long>(::getpid());
}
constexpr bool removableWhileOpen = true;
#endif

// A name no other copy of this or another process has at the same moment; the
// exclusive creation settles the rare clash.
std::filesystem::path candidateName(const std::filesystem::path& folder, int attempt) {
    static std::atomic<unsigned> made{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return folder / ("quelt-" + std::to_string(processId()) + "-" + std::to_string(made++) +
                     "-" + std::to_string((ticks + attempt) & 0xFFFFFF) + ".tmp");
}
}  // namespace

bool TemporaryCopy::create() {
    close();
#ifdef SIGXFSZ
    // A file-size limit then makes a write fail instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        return false;
    }
    for (int attempt = 0; attempt < namesTried && descriptor_ < 0; ++attempt) {
        path_ = candidateName(folder, attempt);
        descriptor_ = createExclusive(path_);
    }
    if (descriptor_ < 0) {
        path_.clear();
        return false;
    }
    reader_.open(path_, std::ios::in | std::ios::binary);
    if (removableWhileOpen) {
        std::filesystem::remove(path_, error);
        path_.clear();
    }
    if (!reader_.is_open()) {
        close();
        return false;
    }
    return true;
}

void TemporaryCopy::close() {
    if (reader_.is_open()) {
        reader_.close();
    }
    reader_.clear();
    if (descriptor_ >= 0) {
        closeDescriptor(descriptor_);
        descriptor_ = -1;
    }
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        path_.clear();
    }
}

bool TemporaryCopy::append(const uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        std::size_t written = 0;
        if (descriptor_ < 0 || !writeSome(descriptor_, bytes, count, written)) {
            return false;
        }
        bytes += written;
        count -= written;
    }
    return true;
}
