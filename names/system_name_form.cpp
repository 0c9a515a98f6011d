// Which form the system's text calls for (see the header).
#include "names/system_name_form.h"

#ifndef _WIN32
#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <string>
#endif

NameForm systemNameForm() {
#ifdef _WIN32
    return NameForm::utf8;
#else
    // The locale is read and put back at once: every other text the programs
    // print (the system's reasons included) stays as the C locale has it.
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = current != nullptr ? current : "C";
    bool utf8 = false;
    if (std::setlocale(LC_CTYPE, "") != nullptr) {
        utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    }
    std::setlocale(LC_CTYPE, saved.c_str());
    return utf8 ? NameForm::utf8 : NameForm::escaped;
#endif
}
