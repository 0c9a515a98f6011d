// Normalisation and width by Windows' own calls: NormalizeString (normaliz.dll,
// Windows Vista and later) and GetStringTypeW's CT_CTYPE3 classes, over UTF-16
// from Windows' converter, MultiByteToWideChar and WideCharToMultiByte.
#include "names/unicode.h"

#include <windows.h>

#include <vector>

std::wstring wideOfUtf8(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string utf8OfWide(const std::wstring& wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length,
                        nullptr, nullptr);
    return text;
}

std::string codePageOfUtf8(const std::string& text, unsigned codePage) {
    const std::wstring wide = wideOfUtf8(text);
    const int units = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), units, &bytes[0], length, nullptr, nullptr);
    return bytes;
}

namespace {
bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// One UTF-16 unit's columns by its CT_CTYPE3 class; a character beyond the
// Basic Multilingual Plane (a surrogate pair) counts 2 at its first unit, as
// most of those in names are (CJK extensions, pictographs).
std::size_t unitWidth(wchar_t unit, WORD type) {
    if (isLowSurrogate(unit) || (type & C3_NONSPACING) != 0) {
        return 0;
    }
    const bool kana = (type & (C3_HIRAGANA | C3_KATAKANA)) != 0 && (type & C3_HALFWIDTH) == 0;
    const bool wide = (type & (C3_FULLWIDTH | C3_IDEOGRAPH)) != 0 || kana;
    return wide || isHighSurrogate(unit) ? 2 : 1;
}
}  // namespace

std::string nfcOfValidUtf8(const std::string& text) {
    const std::wstring wide = wideOfUtf8(text);
    const int size = static_cast<int>(wide.size());
    const int estimate = NormalizeString(NormalizationC, wide.data(), size, nullptr, 0);
    if (estimate <= 0) {
        return text;
    }
    std::wstring composed(static_cast<std::size_t>(estimate), L'\0');
    const int length = NormalizeString(NormalizationC, wide.data(), size, &composed[0], estimate);
    if (length <= 0) {
        return text;
    }
    composed.resize(static_cast<std::size_t>(length));
    return utf8OfWide(composed);
}

std::size_t widthOfValidUtf8(const std::string& text) {
    const std::wstring wide = wideOfUtf8(text);
    std::vector<WORD> classes(wide.size());
    if (wide.empty() ||
        !GetStringTypeW(CT_CTYPE3, wide.data(), static_cast<int>(wide.size()), classes.data())) {
        return text.size();
    }
    std::size_t width = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        width += unitWidth(wide[i], classes[i]);
    }
    return width;
}
