// A file read where it lies, or a stream by its path through a copy.
#include "image/file_source.h"

#include <fstream>

#include "image/stream_copy.h"

namespace {
class FileSource : public ByteSource {
public:
    FileSource(std::ifstream stream, int64_t length)
        : stream_(std::move(stream)), length_(length) {}

    std::size_t readAt(int64_t position, uint8_t* dest, std::size_t count) override {
        // A seek clears the end-of-file state left by an earlier short read.
        stream_.clear();
        stream_.seekg(static_cast<std::streamoff>(position), std::ios::beg);
        if (!stream_) {
            failed_ = true;
            return 0;
        }
        stream_.read(reinterpret_cast<char*>(dest), static_cast<std::streamsize>(count));
        failed_ = failed_ || stream_.bad();
        return static_cast<std::size_t>(stream_.gcount());
    }
    int64_t knownLength() const override { return length_; }
    bool failed() const override { return failed_; }

private:
    std::ifstream stream_;
    int64_t length_;
    bool failed_ = false;
};

// A stream opened by its path: read as it comes.
class StreamInput : public SequentialInput {
public:
    explicit StreamInput(std::ifstream stream) : stream_(std::move(stream)) {}
    std::size_t read(uint8_t* dest, std::size_t count) override {
        stream_.read(reinterpret_cast<char*>(dest), static_cast<std::streamsize>(count));
        return static_cast<std::size_t>(stream_.gcount());
    }
    bool failed() const override { return stream_.bad(); }

private:
    std::ifstream stream_;
};

std::unique_ptr<ByteSource> sourceOf(std::ifstream stream) {
    stream.seekg(0, std::ios::end);
    const std::streamoff end = stream.tellg();
    if (!stream.fail() && end >= 0) {
        stream.seekg(0, std::ios::beg);
        return std::unique_ptr<ByteSource>(new FileSource(std::move(stream), end));
    }
    stream.clear();
    return StreamCopy::over(std::unique_ptr<SequentialInput>(new StreamInput(std::move(stream))));
}

// The source of a file just opened, or null.
std::unique_ptr<ByteSource> sourceOfOpened(std::ifstream stream) {
    if (!stream.is_open()) {
        return nullptr;
    }
    std::unique_ptr<ByteSource> source = sourceOf(std::move(stream));
    // A folder opens on some systems but fails on the first read; only an
    // error, not an empty file, makes the path unusable.
    uint8_t probe = 0;
    if (source && (source->readAt(0, &probe, 1), source->failed())) {
        return nullptr;
    }
    return source;
}
}  // namespace

std::unique_ptr<ByteSource> openPathSource(const char* path) {
    return sourceOfOpened(std::ifstream(path, std::ios::in | std::ios::binary));
}

std::unique_ptr<ByteSource> openNativePathSource(const std::filesystem::path& path) {
    return sourceOfOpened(std::ifstream(path, std::ios::in | std::ios::binary));
}
