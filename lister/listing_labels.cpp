// The names of a listed file and member, and the reason it is no image.
#include "lister/listing_labels.h"

#include "names/listed_names.h"
#include "names/path_text.h"
#include "recognition/header_check.h"

namespace {
constexpr char memberSeparator[] = "/";
}  // namespace

std::string headingOf(const std::string& path, const MemberName& member) {
    return member.empty() ? path : path + memberSeparator + listedMemberName(member);
}

std::string pathColumnOf(const ImageFacts& facts) {
    const std::string path = pathForColumn(facts.path);
    return facts.member.empty() ? path : path + memberSeparator + listedMemberName(facts.member);
}

std::string notD88ReasonOf(const ImageFacts& facts) {
    return notD88Reason(facts.form, facts.fault, facts.firstSize, facts.firstMedia);
}
