#include "names/written_names.h"

#include <algorithm>
#include <cstring>

#include "names/escapes.h"
#include "names/shift_jis.h"

// Folds ASCII letters only: the other bytes of a name are escapes or stay as they are.
std::string upperCaseAscii(std::string text) {
    for (char& c : text) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

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

// `word` is upper case.
bool equalsIgnoringCase(const std::string& text, const char* word) {
    return upperCaseAscii(text) == word;
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

std::string fileNameByte(uint8_t byte) {
    return standsAsItIs(byte) ? std::string(1, static_cast<char>(byte))
                              : hexEscape(escapePrefix, byte);
}

std::string escapedBytes(const std::string& nameBytes, NameForm form) {
    if (onlyDots(nameBytes)) {
        std::string name;
        for (char dot : nameBytes) {
            name += hexEscape(escapePrefix, static_cast<uint8_t>(dot));
        }
        return name;
    }
    std::string name;
    if (form == NameForm::utf8) {
        name = decodeShiftJis(nameBytes, fileNameByte);
    } else {
        for (char byte : nameBytes) {
            name += fileNameByte(static_cast<uint8_t>(byte));
        }
    }
    // Windows drops a final dot or space; converted characters never end in one.
    if (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
        uint8_t last = static_cast<uint8_t>(name.back());
        name.pop_back();
        name += hexEscape(escapePrefix, last);
    }
    return name;
}
}  // namespace

std::string writtenNameFor(const std::string& nameBytes, NameForm form) {
    if (nameBytes == standardOutputName) {
        return hexEscape(escapePrefix, static_cast<uint8_t>(nameBytes[0]));
    }
    std::string name = escapedBytes(nameBytes, form);
    std::size_t stemEnd = std::min(name.find('.'), name.size());
    if (isDeviceName(name.substr(0, stemEnd))) {
        name.insert(stemEnd, "_");
    }
    return name;
}

std::string OutputNames::claim(const std::string& name) {
    std::string unique = name;
    for (int n = 2; claimed_.count(upperCaseAscii(unique)) != 0; ++n) {
        unique = name + "~" + std::to_string(n);
    }
    claimed_.insert(upperCaseAscii(unique));
    return unique;
}

std::vector<std::string> writtenNamesOf(const std::vector<std::string>& nameBytes, NameForm form) {
    OutputNames outputs;
    std::vector<std::string> written;
    for (const std::string& bytes : nameBytes) {
        written.push_back(outputs.claim(writtenNameFor(bytes, form)));
    }
    return written;
}
