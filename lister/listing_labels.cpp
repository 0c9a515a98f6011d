// The names of a listed file and member, and the reason it is no image.
#include "lister/listing_labels.h"

#include "lister/short_listing.h"

namespace {
constexpr char memberSeparator[] = "/";
}  // namespace

std::string headingOf(const std::string& path, const std::string& member) {
    return member.empty() ? path : path + memberSeparator + member;
}

std::string pathColumnOf(const ImageFacts& facts) {
    const std::string path = pathForColumns(facts.path);
    return facts.member.empty() ? path : path + memberSeparator + pathForColumns(facts.member);
}

std::string notD88ReasonOf(const ImageFacts& facts) {
    return facts.form.empty() ? faultReason(facts.fault, facts.firstSize, facts.firstMedia)
                              : facts.form;
}
