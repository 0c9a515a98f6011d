#ifndef QUELT_NAMES_SYSTEM_NAME_FORM_H
#define QUELT_NAMES_SYSTEM_NAME_FORM_H

#include "names/name_text.h"

// The form in which names are shown and written when no option says: the
// decoded form where the system's text is Unicode, the escaped one elsewhere.
// On POSIX systems that is the locale's character set (LC_ALL, LC_CTYPE, LANG
// as setlocale reads them): UTF-8 decodes, any other (the C locale, a locale
// of another character set) escapes. On Windows the programs' text is always
// Unicode (their code page is UTF-8), so names are always decoded there.
NameForm systemNameForm();

#endif
