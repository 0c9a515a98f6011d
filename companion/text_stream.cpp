// A text stream to a file or a console (see the header).
#include "companion/text_stream.h"

#include <cerrno>

TextStream::TextStream(std::FILE* file, std::unique_ptr<Console> console)
    : file_(file), console_(std::move(console)) {}

void TextStream::write(const std::string& text) {
    if (!console_) {
        std::fwrite(text.data(), 1, text.size(), file_);
        return;
    }
    waiting_ += text;
    const std::size_t lineEnd = waiting_.rfind('\n');
    if (lineEnd != std::string::npos) {
        show(waiting_.substr(0, lineEnd + 1));
        waiting_.erase(0, lineEnd + 1);
    }
}

bool TextStream::flush() {
    if (!console_) {
        return flushFile();
    }
    if (!waiting_.empty()) {
        show(waiting_);
        waiting_.clear();
    }
    return !failed_;
}

// Bytes written to the file itself (quelt-cp's copy to standard output) go
// out first, so that everything keeps its order.
void TextStream::show(const std::string& text) {
    std::fflush(file_);
    SystemError why;
    if (!console_->show(text, why) && !failed_) {
        failed_ = true;
        error_ = why;
    }
}

bool TextStream::flushFile() {
    errno = 0;
    const bool flushFailed = std::fflush(file_) != 0;
    const int flushError = errno;
    if (!failed_ && (flushFailed || std::ferror(file_) != 0)) {
        // A write that failed before this flush left its error flag but no errno
        // that can still be trusted: the general reason of a failed write stands in.
        failed_ = true;
        error_ = {SystemError::Kind::errnoValue,
                  flushFailed && flushError != 0 ? flushError : EIO};
    }
    return !failed_;
}
