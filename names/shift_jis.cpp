// Shift_JIS (code page 932) <-> UTF-8 by the platform's converter, and the
// seven characters with a JIS and a code page 932 form (see the header).
#include "names/shift_jis.h"

#include <cstring>

#include "names/unicode.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {
// Lead bytes of a double-byte character, the byte that may follow one, and the
// half-width kana (code page 932's layout).
bool isLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
bool isTrailByte(uint8_t byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}
bool isHalfWidthKana(uint8_t byte) {
    return byte >= 0xA1 && byte <= 0xDF;
}

#ifdef _WIN32
constexpr UINT shiftJisCodePage = 932;

// `text` in code page `from` as UTF-16; empty when any of it does not convert.
std::wstring wideFrom(UINT from, const std::string& text) {
    wchar_t wide[8] = {};
    int length = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(),
                                     static_cast<int>(text.size()), wide, 8);
    return std::wstring(wide, static_cast<std::size_t>(length > 0 ? length : 0));
}

// UTF-16 in code page `to`; empty when any of it has no exact form there.
std::string narrowTo(UINT to, const std::wstring& wide) {
    char text[16] = {};
    BOOL defaulted = FALSE;
    bool exactOnly = to != CP_UTF8;
    int length = WideCharToMultiByte(to, exactOnly ? WC_NO_BEST_FIT_CHARS : 0, wide.data(),
                                     static_cast<int>(wide.size()), text, sizeof text, nullptr,
                                     exactOnly ? &defaulted : nullptr);
    return length > 0 && !defaulted ? std::string(text, static_cast<std::size_t>(length))
                                     : std::string();
}

std::string toUtf8(const std::string& shiftJis) {
    std::wstring wide = wideFrom(shiftJisCodePage, shiftJis);
    return wide.empty() ? std::string() : narrowTo(CP_UTF8, wide);
}

std::string toShiftJis(const std::string& utf8) {
    std::wstring wide = wideFrom(CP_UTF8, utf8);
    return wide.empty() ? std::string() : narrowTo(shiftJisCodePage, wide);
}
#else
// Code page 932 as iconv names it; glibc and GNU libiconv both know it.
constexpr char shiftJisName[] = "CP932";
constexpr char utf8Name[] = "UTF-8";
const iconv_t noConverter = reinterpret_cast<iconv_t>(-1);

// The thread's two converters, opened at its first use and closed when the
// thread ends: a listing converts every name a character at a time, and a
// converter keeps its state between calls (quelt-ls -j lists on threads).
class Converters {
public:
    Converters()
        : toUtf8_(iconv_open(utf8Name, shiftJisName)),
          toShiftJis_(iconv_open(shiftJisName, utf8Name)) {}
    ~Converters() {
        for (iconv_t converter : {toUtf8_, toShiftJis_}) {
            if (converter != noConverter) {
                iconv_close(converter);
            }
        }
    }
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;

    iconv_t toUtf8() const { return toUtf8_; }
    iconv_t toShiftJis() const { return toShiftJis_; }

private:
    iconv_t toUtf8_;
    iconv_t toShiftJis_;
};

const Converters& converters() {
    thread_local const Converters opened;
    return opened;
}

// The text converted whole; empty when any of it does not convert.
std::string convert(iconv_t converter, const std::string& text) {
    if (converter == noConverter) {
        return std::string();
    }
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // a fresh start
    std::string in = text;
    char out[16] = {};
    char* inAt = &in[0];
    char* outAt = out;
    std::size_t inLeft = in.size();
    std::size_t outLeft = sizeof out;
    std::size_t done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    bool whole = done != static_cast<std::size_t>(-1) && inLeft == 0;
    return whole ? std::string(out, sizeof out - outLeft) : std::string();
}

std::string toUtf8(const std::string& shiftJis) {
    return convert(converters().toUtf8(), shiftJis);
}

std::string toShiftJis(const std::string& utf8) {
    return convert(converters().toShiftJis(), utf8);
}
#endif

// Whether UTF-8 text begins with a private-use character (U+E000 to U+F8FF,
// UTF-8 EE 80 80 to EF A3 BF): code page 932's user-defined characters decode
// there, and no two fonts show them alike.
bool isPrivateUse(const std::string& utf8) {
    const auto lead = static_cast<uint8_t>(utf8[0]);
    const auto second = utf8.size() > 1 ? static_cast<uint8_t>(utf8[1]) : 0;
    return lead == 0xEE || (lead == 0xEF && second <= 0xA3);
}

// The UTF-8 text of one Shift_JIS character; empty unless it converts both ways
// to a character that is not private use.
std::string decodedCharacter(const std::string& character) {
    std::string utf8 = toUtf8(character);
    bool exact = !utf8.empty() && !isPrivateUse(utf8) && toShiftJis(utf8) == character;
    return exact ? utf8 : std::string();
}

// How many bytes of `bytes` at `at` make one character that may convert.
std::size_t candidateLength(const std::string& bytes, std::size_t at) {
    const auto byte = static_cast<uint8_t>(bytes[at]);
    if (isHalfWidthKana(byte)) {
        return 1;
    }
    bool pair = isLeadByte(byte) && at + 1 < bytes.size() &&
                isTrailByte(static_cast<uint8_t>(bytes[at + 1]));
    return pair ? 2 : 0;
}
}  // namespace

bool isShiftJisLeadByte(uint8_t byte) {
    return isLeadByte(byte);
}

std::string decodeShiftJis(const std::string& bytes, SingleByteText single) {
    std::string text;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t length = candidateLength(bytes, at);
        std::string utf8 = length > 0 ? decodedCharacter(bytes.substr(at, length)) : "";
        if (utf8.empty()) {
            text += single(static_cast<uint8_t>(bytes[at++]));
        } else {
            text += utf8;
            at += length;
        }
    }
    return text;
}

std::string encodeShiftJis(const std::string& text) {
    std::string bytes;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = utf8CharacterLength(text, at);
        std::string character = text.substr(at, length > 0 ? length : 1);
        std::string shiftJis = length > 1 ? toShiftJis(character) : "";
        bool exact = !shiftJis.empty() && toUtf8(shiftJis) == character;
        bytes += exact ? shiftJis : character;
        at += character.size();
    }
    return bytes;
}

// ---- Code page 932's variant characters

const CodePage932Variant codePage932Variants[7] = {
    {"\xE3\x80\x9C", "\xEF\xBD\x9E", "\x81\x60"},  // U+301C wave dash, U+FF5E
    {"\xE2\x88\x92", "\xEF\xBC\x8D", "\x81\x7C"},  // U+2212 minus sign, U+FF0D
    {"\xE2\x80\x96", "\xE2\x88\xA5", "\x81\x61"},  // U+2016 double vertical line, U+2225
    {"\xC2\xA2", "\xEF\xBF\xA0", "\x81\x91"},      // U+00A2 cent sign, U+FFE0
    {"\xC2\xA3", "\xEF\xBF\xA1", "\x81\x92"},      // U+00A3 pound sign, U+FFE1
    {"\xC2\xAC", "\xEF\xBF\xA2", "\x81\xCA"},      // U+00AC not sign, U+FFE2
    {"\xE2\x80\x94", "\xE2\x80\x95", "\x81\x5C"},  // U+2014 em dash, U+2015 horizontal bar
};

namespace {
// Every typed form begins with a lead byte of two or more UTF-8 bytes: no
// variant begins at a byte below this one.
constexpr unsigned char lowestTypedLead = 0xC2;

// The variant whose JIS form begins at `at`; nullptr for none.
const CodePage932Variant* variantAt(const std::string& text, std::size_t at) {
    if (static_cast<unsigned char>(text[at]) < lowestTypedLead) {
        return nullptr;
    }
    for (const CodePage932Variant& variant : codePage932Variants) {
        if (text.compare(at, std::strlen(variant.typed), variant.typed) == 0) {
            return &variant;
        }
    }
    return nullptr;
}
}  // namespace

std::string withCodePage932Forms(const std::string& text) {
    std::string folded;
    for (std::size_t at = 0; at < text.size();) {
        const CodePage932Variant* variant = variantAt(text, at);
        if (variant != nullptr) {
            folded += variant->decoded;
            at += std::strlen(variant->typed);
        } else {
            folded += text[at++];
        }
    }
    return folded;
}
