// ARCHIVE/MEMBER operands (see the header).
#include "companion/member_operand.h"

#include "companion/file_kind.h"
#include "companion/image_input.h"
#include "companion/native_path.h"

namespace {
// A regular file (through a link too), or standard input: what can hold members.
bool holdsMembers(const std::string& path) {
    return path == standardInputOperand || fileKindOf(path) == FileKind::regularFile;
}
}  // namespace

std::size_t memberSplitOf(const std::string& operand, bool (*isFile)(const std::string&)) {
    for (std::size_t at = 1; at + 1 < operand.size(); ++at) {
        if (isPathSeparator(operand[at]) && isFile(operand.substr(0, at))) {
            return at;
        }
    }
    return std::string::npos;
}

bool isMemberOperand(const std::string& operand, MemberOperand& split) {
    if (operand == standardInputOperand || fileKindOf(operand) != FileKind::none) {
        return false;
    }
    const std::size_t at = memberSplitOf(operand, holdsMembers);
    if (at == std::string::npos) {
        return false;
    }
    split = {operand.substr(0, at), operand.substr(at + 1)};
    return true;
}

bool findMember(ArchiveReader& archive, const std::string& typed) {
    while (!memberNameMatches(archive.memberName(), typed)) {
        if (!archive.nextMember()) {
            return false;
        }
    }
    return true;
}
