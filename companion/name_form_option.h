#ifndef QUELT_COMPANION_NAME_FORM_OPTION_H
#define QUELT_COMPANION_NAME_FORM_OPTION_H

#include "companion/command_line.h"
#include "names/shown_names.h"

// --utf8 and --escaped, which both companions take: the form named by the one of
// them given last (`utf8Id` and `escapedId` in the program's table), else
// `otherwise`.
NameForm chosenNameForm(const ParsedCommandLine& parsed, int utf8Id, int escapedId,
                        NameForm otherwise);

#endif
