#ifndef QUELT_LISTER_LISTING_LABELS_H
#define QUELT_LISTER_LISTING_LABELS_H

#include <string>

#include "lister/image_facts.h"

// What each rendering calls a listed file, in one place each: a file by its
// path; an archive member by the archive's path, a /, and the member's name
// (an archive is a file, not a folder, so such a path names one member).

// The text listing's heading and the diagnostics' FILE, of the file at `path`
// or, when `member` is not empty, of that member of the archive at `path`: the
// path's bytes, which pathForLine shows (names/escapes.h), and the member's
// name in the form `names` (names/member_names.h), which finds it again.
std::string headingOf(const std::string& path, const MemberName& member, NameForm names);
// The summary's PATH column (pathForColumn, and the member as in headingOf):
// no byte in it can break a line or a column, and each gives its bytes back.
std::string pathColumnOf(const ImageFacts& facts, NameForm names);

#endif
