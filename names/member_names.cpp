// Archive members' names shown and typed back (see the header).
#include "names/member_names.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "names/escapes.h"
#include "names/shift_jis.h"
#include "names/typed_names.h"
#include "names/unicode.h"

namespace {
constexpr char replacementCharacter[] = "\xEF\xBF\xBD";  // U+FFFD
constexpr NameForm bothForms[] = {NameForm::escaped, NameForm::utf8};
constexpr uint8_t firstNonAscii = 0x80;

// Each UTF-8 character of two or more bytes as it is; single bytes as a listing
// quotes them.
std::string decodedUtf8(const std::string& text) {
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8CharacterLength(text, at);
        if (length > 1) {
            shown += text.substr(at, length);
            at += length;
        } else {
            shown += listedByte(static_cast<uint8_t>(text[at++]));
        }
    }
    return shown;
}

std::string unicodeByte(uint8_t byte) {
    return byte < firstNonAscii ? std::string(1, static_cast<char>(byte))
                                : std::string(replacementCharacter);
}
}  // namespace

MemberName memberNameOfBytes(const std::string& bytes) {
    return {bytes, isValidUtf8(bytes)};
}

std::string memberNameText(const MemberName& name, NameForm form) {
    if (name.unicode && form == NameForm::utf8) {
        return decodedUtf8(name.bytes);
    }
    return listedNameText(name.bytes, form);
}

std::string memberNameUnicode(const MemberName& name) {
    return name.unicode ? name.bytes : decodeShiftJis(name.bytes, unicodeByte);
}

bool memberNameMatches(const MemberName& name, const std::string& typed) {
    const std::string wanted = canonicalTyped(typed);
    for (NameForm form : bothForms) {
        if (canonicalTyped(memberNameText(name, form)) == wanted) {
            return true;
        }
    }
    if (name.unicode) {
        return canonicalTyped(bytesOfListedName(typed.c_str())) == canonicalTyped(name.bytes);
    }
    const std::vector<std::string> candidates = bytesOfTypedName(typed);
    return std::find(candidates.begin(), candidates.end(), name.bytes) != candidates.end();
}
