#ifndef QUELT_LISTER_SHORT_LISTING_H
#define QUELT_LISTER_SHORT_LISTING_H

#include <string>

#include "lister/image_facts.h"

// The summary form's lines: one per disk of a D88 image, seven tab-separated
// columns PATH, DISK, ROLE, NAME, SIZE, SHA1, WHOLE (quelt-ls(1)); PATH as
// names/escapes.h's pathForColumn writes it, so that a tab or a newline in a
// file's name cannot break a line or a column. A file that is no D88 image
// gives no line.
std::string shortListing(const ImageFacts& facts, NameForm names);

#endif
