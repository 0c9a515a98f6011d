#include "companion/name_form_option.h"

NameForm chosenNameForm(const ParsedCommandLine& parsed, int utf8Id, int escapedId,
                        NameForm otherwise) {
    const int last = parsed.lastOf({utf8Id, escapedId});
    if (last < 0) {
        return otherwise;
    }
    return last == utf8Id ? NameForm::utf8 : NameForm::escaped;
}
