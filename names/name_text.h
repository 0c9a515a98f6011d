#ifndef QUELT_NAMES_NAME_TEXT_H
#define QUELT_NAMES_NAME_TEXT_H

// How the companions show a name of the disk, and which names a NAME typed by
// the user stands for. A name is shown as quelt-ls prints it: printable ASCII as
// it is, every other byte (and " and \) as \xNN; in the UTF-8 form (--utf8) each
// Shift_JIS character that converts stands as its UTF-8 text instead.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class NameForm { escaped, utf8 };

// The bytes of a name (up to the first 0, at most `maxLength`) as shown, in
// double quotes.
std::string listedName(const uint8_t* bytes, std::size_t maxLength, NameForm form);

// A name's bytes as shown, without the quotes.
std::string listedNameText(const std::string& bytes, NameForm form);

// The bytes a typed NAME may stand for, in the order to try them: its \xNN
// escapes as bytes and everything else as typed; then, when it differs, the same
// with its UTF-8 characters as their Shift_JIS bytes; then, when it differs, its
// %XX escapes as bytes (the form of quelt-cp's file names).
std::vector<std::string> bytesOfTypedName(const char* typed);

#endif
