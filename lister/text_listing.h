#ifndef QUELT_LISTER_TEXT_LISTING_H
#define QUELT_LISTER_TEXT_LISTING_H

#include <string>

#include "lister/image_facts.h"
#include "lister/listing_options.h"

// The text listing of one image, its lines as printed: for a D88 image, a block
// for every disk (header, tracks, quelt's tests and role, directory) and the
// disks quelt takes for each role; for any other file one line saying why it
// is none, unless options.raw asks for its disks all the same.
std::string textListing(const ImageFacts& facts, const ListingOptions& options);

#endif
