#ifndef QUELT_COMPANION_MEMBER_OPERAND_H
#define QUELT_COMPANION_MEMBER_OPERAND_H

#include <cstddef>
#include <string>

#include "archive/archive_reader.h"

// An operand that names an archive's member, ARCHIVE/MEMBER: the archive's
// path, a /, and the member's name in any form the companions print it
// (names/member_names.h). Since an archive is a file and not a folder, the path
// is split at the first part that names a file, and all after it is the
// member's name, slashes and all (a member in a subfolder: set.zip/disks/a.d88);
// a byte of the member's name never moves the split. On Windows \ splits too.
// The reason of "PROGRAM: ARCHIVE: REASON" for a member the archive does not
// hold (its name as given and a closing quote follow).
constexpr char noSuchMemberText[] = "holds no member \"";

struct MemberOperand {
    std::string archive;
    std::string member;  // as typed
};

// Whether `operand` is ARCHIVE/MEMBER, split into `split`: it names nothing
// itself, and its archive is a regular file (through a link too) or "-".
bool isMemberOperand(const std::string& operand, MemberOperand& split);

// Where an operand that names no file splits into archive and member: the
// first prefix, ending before a separator, for which `isFile` holds; npos when
// none does.
std::size_t memberSplitOf(const std::string& operand, bool (*isFile)(const std::string&));

// Moves `archive` on to its next member, from its current one, that `typed`
// names; false when none is left (or libarchive can read no further: its
// failed() then says why).
bool findMember(ArchiveReader& archive, const std::string& typed);

#endif
