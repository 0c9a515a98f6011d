// A disk's names as the companions show them, and which form the system's text
// calls for (see the header).
#include "names/shown_names.h"

#ifndef _WIN32
#include <langinfo.h>

#include <clocale>
#include <cstring>
#endif

#include "names/escapes.h"
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
}  // namespace

std::string listedNameText(const std::string& bytes, NameForm form) {
    if (form == NameForm::utf8) {
        return decodeShiftJis(bytes, listedByte);
    }
    std::string text;
    for (char byte : bytes) {
        text += listedByte(static_cast<uint8_t>(byte));
    }
    return text;
}

std::string listedName(const uint8_t* bytes, std::size_t maxLength, NameForm form) {
    return quote + listedNameText(nameBytes(bytes, maxLength), form) + quote;
}

NameForm systemNameForm() {
#ifdef _WIN32
    return NameForm::utf8;
#else
    // The locale is read and put back at once: every other text the programs
    // print (the system's reasons included) stays as the C locale has it.
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = current != nullptr ? current : "C";
    bool utf8 = false;
    if (std::setlocale(LC_CTYPE, "") != nullptr) {
        utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    }
    std::setlocale(LC_CTYPE, saved.c_str());
    return utf8 ? NameForm::utf8 : NameForm::escaped;
#endif
}
