// A disk's names as the companions show them (see the header).
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
