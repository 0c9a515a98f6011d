// A disk's names in every form the programs show or write them (see the header).
#include "names/disk_names.h"

#include <utility>

#include "names/hex_codec.h"
#include "names/name_pattern.h"
#include "names/name_text.h"
#include "names/output_names.h"
#include "names/typed_names.h"

namespace {
constexpr NameForm bothForms[] = {NameForm::escaped, NameForm::utf8};
constexpr char writtenEscape[] = "%";
constexpr char copyNumberMark = '~';
constexpr int firstCopyNumber = 2;

// A typed written name as it would be written: canonical, its escapes' digits
// in upper case.
std::string asWritten(const std::string& typed) {
    return withUpperCaseEscapes(canonicalTyped(typed), writtenEscape);
}

// The part of `name` before a "~N" of N >= 2; "" when there is no such ending.
std::string stemOf(const std::string& name) {
    const std::size_t mark = name.rfind(copyNumberMark);
    if (mark == std::string::npos || mark == 0 || mark + 1 == name.size()) {
        return std::string();
    }
    const std::string digits = name.substr(mark + 1);
    const bool digitsOnly = digits.find_first_not_of("0123456789") == std::string::npos;
    const bool number = digitsOnly && digits[0] != '0' &&
                        (digits.size() > 1 || digits[0] >= '0' + firstCopyNumber);
    return number ? name.substr(0, mark) : std::string();
}
}  // namespace

// Names are compared as typed names are made canonical: a decoded name may
// hold characters that normalisation changes (code page 932's compatibility
// ideographs), and the typed name then stands for the name as normalised.
DiskNames::DiskNames(std::vector<std::string> nameBytes) : bytes_(std::move(nameBytes)) {
    for (NameForm form : bothForms) {
        const int f = static_cast<int>(form);
        for (const std::string& written : writtenNamesOf(bytes_, form)) {
            written_[f].push_back(canonicalTyped(written));
        }
        for (const std::string& bytes : bytes_) {
            listed_[f].push_back(canonicalTyped(listedNameText(bytes, form)));
            stems_[f].push_back(upperCaseAscii(canonicalTyped(outputNameFor(bytes, form))));
        }
    }
}

int DiskNames::fileWrittenAs(const std::string& typed) const {
    const std::string wanted = asWritten(typed);
    for (NameForm form : bothForms) {
        const std::vector<std::string>& written = written_[static_cast<int>(form)];
        for (std::size_t i = 0; i < written.size(); ++i) {
            if (written[i] == wanted) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

int DiskNames::filesWrittenAsStem(const std::string& typed) const {
    const std::string stem = upperCaseAscii(stemOf(asWritten(typed)));
    int most = 0;
    for (const std::vector<std::string>& stems : stems_) {
        int count = 0;
        for (const std::string& written : stems) {
            count += !stem.empty() && written == stem ? 1 : 0;
        }
        most = count > most ? count : most;
    }
    return most;
}

std::vector<std::size_t> DiskNames::matching(const std::string& pattern) const {
    const std::string wanted = canonicalTyped(pattern);
    const NamePattern listed(wanted, EscapeNotation::listed);
    const NamePattern written(wanted, EscapeNotation::written);
    std::vector<std::size_t> files;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        bool any = false;
        for (int f = 0; f < 2 && !any; ++f) {
            any = listed.matches(listed_[f][i]) || written.matches(written_[f][i]);
        }
        if (any) {
            files.push_back(i);
        }
    }
    return files;
}
