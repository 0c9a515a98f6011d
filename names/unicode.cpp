// Strict UTF-8, and normalisation and display width over text that may hold
// bytes that are not UTF-8 (see the header).
#include "names/unicode.h"

#include <cstdint>

namespace {
// What a lead byte says: the character's length, and the range its second byte
// must lie in (narrower than 0x80-0xBF where that keeps out overlong forms,
// surrogates and code points above U+10FFFF).
struct LeadRule {
    std::size_t length;
    uint8_t secondLow;
    uint8_t secondHigh;
};

LeadRule ruleOf(uint8_t lead) {
    if (lead < 0x80) {
        return {1, 0, 0};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80, 0xBF};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return {3, lead == 0xE0 ? uint8_t{0xA0} : uint8_t{0x80},
                lead == 0xED ? uint8_t{0x9F} : uint8_t{0xBF}};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return {4, lead == 0xF0 ? uint8_t{0x90} : uint8_t{0x80},
                lead == 0xF4 ? uint8_t{0x8F} : uint8_t{0xBF}};
    }
    return {0, 0, 0};
}

bool isContinuation(uint8_t byte) {
    return byte >= 0x80 && byte <= 0xBF;
}
}  // namespace

std::size_t utf8CharacterLength(const std::string& text, std::size_t at) {
    const LeadRule rule = ruleOf(static_cast<uint8_t>(text[at]));
    if (rule.length <= 1 || at + rule.length > text.size()) {
        return rule.length == 1 ? 1 : 0;
    }
    const auto second = static_cast<uint8_t>(text[at + 1]);
    if (second < rule.secondLow || second > rule.secondHigh) {
        return 0;
    }
    for (std::size_t i = 2; i < rule.length; ++i) {
        if (!isContinuation(static_cast<uint8_t>(text[at + i]))) {
            return 0;
        }
    }
    return rule.length;
}

bool isValidUtf8(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8CharacterLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

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
