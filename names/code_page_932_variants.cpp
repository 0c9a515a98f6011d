// The seven characters with a JIS and a code page 932 form (see the header).
#include "names/code_page_932_variants.h"

#include <cstring>

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
