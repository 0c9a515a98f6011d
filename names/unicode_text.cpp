// Normalisation and display width over text that may hold bytes that are not
// UTF-8 (see the header).
#include "names/unicode_text.h"

#include "names/unicode_platform.h"
#include "names/utf8_text.h"

namespace {
// Calls `onRun` with each longest run of valid UTF-8 and `onByte` with each
// byte between them, in order; an empty run is no call.
template <typename OnRun, typename OnByte>
void splitAtInvalidBytes(const std::string& text, OnRun onRun, OnByte onByte) {
    std::size_t runStart = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8CharacterLength(text, at);
        if (length > 0) {
            at += length;
            continue;
        }
        if (at > runStart) {
            onRun(text.substr(runStart, at - runStart));
        }
        onByte(text[at]);
        runStart = ++at;
    }
    if (runStart < text.size()) {
        onRun(text.substr(runStart));
    }
}
// Plain ASCII is its own normal form and one column a byte, whatever the
// library says; most names are, and they skip it.
bool isAscii(const std::string& run) {
    for (char c : run) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}
}  // namespace

std::string composedText(const std::string& text) {
    std::string composed;
    splitAtInvalidBytes(
        text, [&](const std::string& run) { composed += isAscii(run) ? run : nfcOfValidUtf8(run); },
        [&](char byte) { composed += byte; });
    return composed;
}

std::size_t displayWidth(const std::string& text) {
    std::size_t width = 0;
    splitAtInvalidBytes(
        text,
        [&](const std::string& run) { width += isAscii(run) ? run.size() : widthOfValidUtf8(run); },
        [&](char) { ++width; });
    return width;
}

std::string paddedToWidth(const std::string& text, std::size_t width) {
    const std::size_t has = displayWidth(text);
    return has >= width ? text : text + std::string(width - has, ' ');
}
