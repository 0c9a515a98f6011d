// The names of a listed file and member, and the reason it is no image.
#include "lister/listing_labels.h"

#include "names/escapes.h"
#include "names/member_names.h"

namespace {
constexpr char memberSeparator[] = "/";
}  // namespace

std::string headingOf(const std::string& path, const MemberName& member, NameForm names) {
    return member.empty() ? path : path + memberSeparator + memberNameText(member, names);
}

std::string pathColumnOf(const ImageFacts& facts, NameForm names) {
    const std::string path = pathForColumn(facts.path);
    return facts.member.empty() ? path
                                : path + memberSeparator + memberNameText(facts.member, names);
}
