#ifndef QUELT_LISTER_JSON_LISTING_H
#define QUELT_LISTER_JSON_LISTING_H

#include <string>

#include "lister/image_facts.h"
#include "lister/listing_options.h"

// The JSON Lines form: one object on one line per image file, its field names
// those of quelt-ls(1) under jsonVersion. Written with nlohmann-json.
constexpr int jsonVersion = 2;

// The line of an image that was read; another system's directory lists its
// entries only with options.raw.
std::string jsonListing(const ImageFacts& facts, const ListingOptions& options);
// The line of a file (or of an archive's member, when `member` is not empty)
// that could not be read, with the reason.
std::string jsonFailure(const std::string& path, const MemberName& member,
                        const std::string& reason);

#endif
