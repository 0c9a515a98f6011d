// Paths as one line of text, as a column, as Unicode (see the header).
#include "names/path_text.h"

#include <cstdint>

#include "names/hex_codec.h"
#include "names/utf8_text.h"

namespace {
constexpr char escapePrefix[] = "\\x";
constexpr char replacementCharacter[] = "\xEF\xBF\xBD";  // U+FFFD

bool isControl(uint8_t byte) {
    return byte < 0x20 || byte == 0x7F;
}

// Each character of `path` as `character` writes it, each byte that begins
// none as `other` does.
template <typename Character, typename Other>
std::string rewritten(const std::string& path, Character character, Other other) {
    std::string text;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t length = utf8CharacterLength(path, at);
        if (length > 0) {
            text += character(path.substr(at, length));
            at += length;
        } else {
            text += other(static_cast<uint8_t>(path[at++]));
        }
    }
    return text;
}

std::string escaped(uint8_t byte) {
    return hexEscape(escapePrefix, byte);
}

std::string lineCharacter(const std::string& character) {
    const auto first = static_cast<uint8_t>(character[0]);
    return isControl(first) ? escaped(first) : character;
}

std::string columnCharacter(const std::string& character) {
    return character == "\\" ? "\\\\" : lineCharacter(character);
}
}  // namespace

std::string pathForLine(const std::string& path) {
    return rewritten(path, lineCharacter, escaped);
}

std::string pathForColumn(const std::string& path) {
    return rewritten(path, columnCharacter, escaped);
}

std::string pathAsUnicode(const std::string& path) {
    return rewritten(
        path, [](const std::string& character) { return character; },
        [](uint8_t) { return std::string(replacementCharacter); });
}
