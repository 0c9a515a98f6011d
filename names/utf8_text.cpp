// Strict UTF-8 (see the header).
#include "names/utf8_text.h"

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
