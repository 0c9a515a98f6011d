// Typed names read as the disk's names are decoded (see the header).
#include "names/typed_names.h"

#include "names/code_page_932_variants.h"
#include "names/quoted_text.h"
#include "names/shift_jis.h"
#include "names/unicode_text.h"

std::string canonicalTyped(const std::string& typed) {
    return withCodePage932Forms(composedText(typed));
}

std::vector<std::string> bytesOfTypedName(const std::string& typed) {
    std::vector<std::string> candidates{bytesOfQuotedName(typed.c_str())};
    // Encoded before the escapes are read, so that escaped bytes are never taken
    // for UTF-8.
    const std::string encoded = bytesOfQuotedName(encodeShiftJis(canonicalTyped(typed)).c_str());
    if (encoded != candidates[0]) {
        candidates.push_back(encoded);
    }
    return candidates;
}
