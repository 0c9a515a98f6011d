#include "names/listed_names.h"

namespace {
NameForm listedForm = NameForm::escaped;
}

void listNamesAs(NameForm form) {
    listedForm = form;
}

std::string listedNameOf(const uint8_t* bytes, std::size_t maxLength) {
    return listedName(bytes, maxLength, listedForm);
}

std::string listedNameBare(const std::string& bytes) {
    return listedNameText(bytes, listedForm);
}

std::string listedMemberName(const MemberName& name) {
    return memberNameText(name, listedForm);
}
