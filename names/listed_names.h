#ifndef QUELT_NAMES_LISTED_NAMES_H
#define QUELT_NAMES_LISTED_NAMES_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "names/member_names.h"
#include "names/name_text.h"

// How this run of quelt-ls shows the names of disks and files: escaped by
// default, in UTF-8 with --utf8. Set once before the listing.
void listNamesAs(NameForm form);

// A name's bytes (up to the first 0, at most `maxLength`) in double quotes, in
// the form this run lists names in.
std::string listedNameOf(const uint8_t* bytes, std::size_t maxLength);

// The bytes of a name as listed, without the quotes (the summary's and JSON's
// display form).
std::string listedNameBare(const std::string& bytes);

// An archive member's name in this run's form (names/member_names.h).
std::string listedMemberName(const MemberName& name);

#endif
