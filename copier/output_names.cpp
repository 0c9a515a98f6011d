#include "copier/output_names.h"

#include <algorithm>
#include <cstring>

#include "common/byte_escape.h"

namespace {
constexpr char escapePrefix[] = "%";
// Characters that Windows or Linux refuse in a file name, and % itself, which
// begins an escape.
constexpr char escapedCharacters[] = "%/\\:*?\"<>|";
constexpr const char* deviceNames[] = {"CON", "PRN", "AUX", "NUL"};
constexpr const char* numberedDeviceNames[] = {"COM", "LPT"};

bool standsAsItIs(unsigned char byte) {
    return isPrintableAscii(byte) && std::strchr(escapedCharacters, byte) == nullptr;
}

bool onlyDots(const std::string& name) {
    return name.find_first_not_of('.') == std::string::npos;
}

// Folds ASCII letters only: the other bytes of a name are escapes or stay as they are.
std::string upperCase(std::string text) {
    for (char& c : text) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

// `word` is upper case.
bool equalsIgnoringCase(const std::string& text, const char* word) {
    return upperCase(text) == word;
}

bool isDeviceName(const std::string& stem) {
    for (const char* device : deviceNames) {
        if (equalsIgnoringCase(stem, device)) {
            return true;
        }
    }
    for (const char* device : numberedDeviceNames) {
        if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9' &&
            equalsIgnoringCase(stem.substr(0, 3), device)) {
            return true;
        }
    }
    return false;
}

std::string escapedBytes(const std::string& nameBytes) {
    std::string name;
    for (std::size_t i = 0; i < nameBytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(nameBytes[i]);
        bool last = i + 1 == nameBytes.size();
        bool droppedByWindows = last && (byte == '.' || byte == ' ');
        bool dotOfDots = byte == '.' && onlyDots(nameBytes);
        name += standsAsItIs(byte) && !droppedByWindows && !dotOfDots
                    ? std::string(1, static_cast<char>(byte))
                    : hexEscape(escapePrefix, byte);
    }
    return name;
}
}  // namespace

std::string outputNameFor(const std::string& nameBytes) {
    if (nameBytes == standardOutputName) {
        return hexEscape(escapePrefix, static_cast<uint8_t>(nameBytes[0]));
    }
    std::string name = escapedBytes(nameBytes);
    std::size_t stemEnd = std::min(name.find('.'), name.size());
    if (isDeviceName(name.substr(0, stemEnd))) {
        name.insert(stemEnd, "_");
    }
    return name;
}

std::string OutputNames::claim(const std::string& name) {
    std::string unique = name;
    for (int n = 2; claimed_.count(upperCase(unique)) != 0; ++n) {
        unique = name + "~" + std::to_string(n);
    }
    claimed_.insert(upperCase(unique));
    return unique;
}
