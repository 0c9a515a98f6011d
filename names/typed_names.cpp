// Typed names read as the disk's names are decoded (see the header).
#include "names/typed_names.h"

#include <algorithm>

#include "names/code_page_932_variants.h"
#include "names/quoted_text.h"
#include "names/shift_jis.h"
#include "names/unicode_text.h"

std::string canonicalTyped(const std::string& typed) {
    return withCodePage932Forms(composedText(typed));
}

std::vector<std::string> bytesOfTypedName(const std::string& typed) {
    std::vector<std::string> candidates;
    // Encoded before the escapes are read, so that escaped bytes are never taken
    // for UTF-8; as typed too, since normalisation changes some characters that
    // code page 932 holds (its compatibility ideographs).
    for (const std::string& text : {std::string(), typed, canonicalTyped(typed)}) {
        const std::string bytes = bytesOfQuotedName(text.empty() ? typed.c_str()
                                                                 : encodeShiftJis(text).c_str());
        if (std::find(candidates.begin(), candidates.end(), bytes) == candidates.end()) {
            candidates.push_back(bytes);
        }
    }
    return candidates;
}
