#include "image/temporary_copy.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <string>
#include <system_error>

namespace {
constexpr int namesTried = 100;
constexpr char fileName[] = "image";

#ifdef _WIN32
constexpr bool removableWhileOpen = false;
#else
constexpr bool removableWhileOpen = true;
#endif

// A name unlike other copies' of this or another process at the same moment;
// making the folder settles a clash. Counted across threads (quelt-ls -j).
std::string candidateName(int attempt) {
    static std::atomic<unsigned> made{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return "quelt-" + std::to_string(static_cast<unsigned long long>(ticks)) + "-" +
           std::to_string(made++) + "-" + std::to_string(attempt);
}
}  // namespace

bool TemporaryCopy::create() {
    close();
#ifdef SIGXFSZ
    // A file-size limit then makes a write fail instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    for (int attempt = 0; !error && attempt < namesTried && folder_.empty(); ++attempt) {
        const std::filesystem::path candidate = temporary / candidateName(attempt);
        if (std::filesystem::create_directory(candidate, error)) {
            folder_ = candidate;
        }
    }
    if (folder_.empty()) {
        return false;
    }
    writer_.open(folder_ / fileName, std::ios::out | std::ios::binary);
    reader_.open(folder_ / fileName, std::ios::in | std::ios::binary);
    if (removableWhileOpen) {
        removeFiles();
    }
    if (!writer_.is_open() || !reader_.is_open()) {
        close();
        return false;
    }
    return true;
}

void TemporaryCopy::close() {
    writer_.close();
    writer_.clear();
    reader_.close();
    reader_.clear();
    removeFiles();
}

void TemporaryCopy::removeFiles() {
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        folder_.clear();
    }
}

bool TemporaryCopy::append(const uint8_t* bytes, std::size_t count) {
    writer_.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
    // Flushed, so that the reader finds the bytes in the file.
    return static_cast<bool>(writer_.flush());
}
