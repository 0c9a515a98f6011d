#ifndef QUELT_NAMES_NAME_TEXT_H
#define QUELT_NAMES_NAME_TEXT_H

// How the companions show a name of the disk. A name is shown as quelt-ls prints
// it: in the escaped form, printable ASCII as it is, every other byte (and " and
// \) as \xNN; in the decoded form each Shift_JIS character that converts stands
// as its UTF-8 text instead, and the other bytes as in the escaped form.

#include <cstddef>
#include <cstdint>
#include <string>

enum class NameForm { escaped, utf8 };

// The bytes of a name (up to the first 0, at most `maxLength`) as shown, in
// double quotes.
std::string listedName(const uint8_t* bytes, std::size_t maxLength, NameForm form);

// A name's bytes as shown, without the quotes.
std::string listedNameText(const std::string& bytes, NameForm form);

#endif
