// A disk's names as the companions show them, and a typed NAME's bytes (see the header).
#include "names/name_text.h"

#include "names/quoted_text.h"
#include "names/shift_jis.h"

namespace {
constexpr char quote = '"';

std::string nameBytes(const uint8_t* bytes, std::size_t maxLength) {
    std::size_t length = 0;
    while (length < maxLength && bytes[length] != 0) {
        ++length;
    }
    return std::string(reinterpret_cast<const char*>(bytes), length);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Each %XX (as quelt-cp writes a byte into a file name) as its byte.
std::string percentUnescaped(const std::string& text) {
    std::string bytes;
    for (std::size_t at = 0; at < text.size(); ++at) {
        bool escape = text[at] == '%' && at + 2 < text.size() && hexValue(text[at + 1]) >= 0 &&
                      hexValue(text[at + 2]) >= 0;
        if (escape) {
            bytes += static_cast<char>(hexValue(text[at + 1]) * 16 + hexValue(text[at + 2]));
            at += 2;
        } else {
            bytes += text[at];
        }
    }
    return bytes;
}

void addIfNew(std::vector<std::string>& candidates, const std::string& bytes) {
    for (const std::string& known : candidates) {
        if (known == bytes) {
            return;
        }
    }
    candidates.push_back(bytes);
}
}  // namespace

std::string listedNameText(const std::string& bytes, NameForm form) {
    if (form == NameForm::utf8) {
        return decodeShiftJis(bytes, quotedByte);
    }
    std::string text;
    for (char byte : bytes) {
        text += quotedByte(static_cast<uint8_t>(byte));
    }
    return text;
}

std::string listedName(const uint8_t* bytes, std::size_t maxLength, NameForm form) {
    return quote + listedNameText(nameBytes(bytes, maxLength), form) + quote;
}

std::vector<std::string> bytesOfTypedName(const char* typed) {
    std::vector<std::string> candidates{bytesOfQuotedName(typed)};
    addIfNew(candidates, encodeShiftJis(candidates[0]));
    addIfNew(candidates, encodeShiftJis(percentUnescaped(candidates[0])));
    return candidates;
}
