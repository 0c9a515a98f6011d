#ifndef QUELT_NAMES_TYPED_NAMES_H
#define QUELT_NAMES_TYPED_NAMES_H

#include <string>
#include <vector>

// A NAME or pattern as the user typed it, read the way the disk's names are
// decoded, so that what looks the same finds the same file.

// `typed` in Normalization Form C (a decomposed kana typed or pasted is the
// composed one) with each JIS form of code page 932's variant characters in
// code page 932's form (names/code_page_932_variants.h). Bytes that are not
// UTF-8 stay as they are.
std::string canonicalTyped(const std::string& typed);

// The bytes a typed NAME may stand for, in the order to try them, each once:
// its \xNN escapes as bytes and everything else as typed; then with its UTF-8
// characters as their Shift_JIS bytes, as typed and made canonical.
std::vector<std::string> bytesOfTypedName(const std::string& typed);

#endif
