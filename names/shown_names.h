#ifndef QUELT_NAMES_SHOWN_NAMES_H
#define QUELT_NAMES_SHOWN_NAMES_H

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

// The form in which names are shown and written when no option says: the
// decoded form where the system's text is Unicode, the escaped one elsewhere.
// On POSIX systems that is the locale's character set (LC_ALL, LC_CTYPE, LANG
// as setlocale reads them): UTF-8 decodes, any other (the C locale, a locale
// of another character set) escapes. On Windows the programs' text is always
// Unicode (their code page is UTF-8), so names are always decoded there.
NameForm systemNameForm();

#endif
