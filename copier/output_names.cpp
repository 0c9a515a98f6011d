#include "copier/output_names.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
constexpr unsigned char firstPrintable = 0x20;
constexpr unsigned char lastPrintable = 0x7E;
// Characters that Windows or Linux refuse in a file name, and % itself, which
// begins an escape.
constexpr char escapedCharacters[] = "%/\\:*?\"<>|";
constexpr const char* deviceNames[] = {"CON", "PRN", "AUX", "NUL"};
constexpr const char* numberedDeviceNames[] = {"COM", "LPT"};

std::string escaped(unsigned char byte) {
    char escape[sizeof "%FF"];
    std::snprintf(escape, sizeof escape, "%%%02X", byte);
    return escape;
}

bool standsAsItIs(unsigned char byte) {
    return byte >= firstPrintable && byte <= lastPrintable &&
           std::strchr(escapedCharacters, byte) == nullptr;
}

bool onlyDots(const std::string& name) {
    return name.find_first_not_of('.') == std::string::npos;
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoringCase(const std::string& text, const char* word) {
    if (text.size() != std::strlen(word)) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (upper(text[i]) != word[i]) {
            return false;
        }
    }
    return true;
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
        name += standsAsItIs(byte) && !droppedByWindows && !dotOfDots ? std::string(1, byte)
                                                                      : escaped(byte);
    }
    return name;
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}
}  // namespace

std::string outputNameFor(const std::string& nameBytes) {
    std::string name = escapedBytes(nameBytes);
    std::size_t stemEnd = std::min(name.find('.'), name.size());
    if (isDeviceName(name.substr(0, stemEnd))) {
        name.insert(stemEnd, "_");
    }
    return name;
}

std::string OutputNames::claim(const std::string& name) {
    std::string unique = name;
    for (int n = 2; claimed_.count(lowerCase(unique)) != 0; ++n) {
        unique = name + "~" + std::to_string(n);
    }
    claimed_.insert(lowerCase(unique));
    return unique;
}
