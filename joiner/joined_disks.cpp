// The disks of the operands, each file opened once and read through its reader.
#include "joiner/joined_disks.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>

#include "archive/archive_reader.h"
#include "archive/compressed_forms.h"
#include "common/plural.h"
#include "companion/console.h"
#include "companion/diagnostics.h"
#include "companion/file_kind.h"
#include "companion/image_input.h"
#include "companion/native_path.h"
#include "companion/member_operand.h"
#include "copier/image_operand.h"
#include "joiner/disk_choice.h"
#include "joiner/join_messages.h"
#include "lister/folder_walk.h"
#include "lister/gather_facts.h"
#include "lister/listing_labels.h"
#include "names/escapes.h"
#include "recognition/header_check.h"

// Where an image's bytes come from: the file or member, its bytes, the path
// they were opened by (none for a member) and why a read of them failed.
struct DiskCollection::Source {
    std::string path;
    MemberName member;
    std::unique_ptr<ByteSource> bytes;
    const char* opened = nullptr;
    std::string form;  // the compressed or archived form of a file that is no image
    std::function<std::string()> why;
};

namespace {
bool namesSomething(const std::string& path) {
    return path == standardInputOperand || fileKindOf(path) != FileKind::none;
}

// Why a file's read failed: its reader learns no more than that it did.
std::string inputOutputError() {
    return reasonFor({SystemError::Kind::errnoValue, EIO});
}

bool refuse(const std::string& file, const std::string& reason) {
    fail(file, reason.c_str());
    return false;
}

// The bytes of the disks wanted, as the image's reader passes the file's bytes
// in order.
class DiskBytes : public ByteObserver {
public:
    void want(int64_t start, int64_t size, std::vector<uint8_t>* into) {
        wants_.push_back({start, start + size, into});
    }
    void take(const uint8_t* bytes, std::size_t count) override {
        const int64_t end = position_ + static_cast<int64_t>(count);
        for (const Want& want : wants_) {
            const int64_t from = std::max(position_, want.start);
            const int64_t to = std::min(end, want.end);
            if (from < to) {
                want.into->insert(want.into->end(), bytes + (from - position_),
                                  bytes + (to - position_));
            }
        }
        position_ = end;
    }

private:
    struct Want {
        int64_t start;
        int64_t end;
        std::vector<uint8_t>* into;
    };
    std::vector<Want> wants_;
    int64_t position_ = 0;
};

// A path as the system takes it: on Windows in UTF-16, whatever characters it holds.
std::filesystem::path systemPathOf(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path(systemPath(path));
#else
    return std::filesystem::path(path);
#endif
}

bool isPicked(const SetChoice& choice, int32_t disk) {
    return disk == choice.demo || disk == choice.main || disk == choice.scenario;
}
}  // namespace

SetChoice DiskCollection::setChoice() const {
    std::vector<RoleFacts> roles;
    for (const JoinedDisk& disk : disks_) {
        roles.push_back(disk.roles);
    }
    return chooseSet(roles);
}

bool DiskCollection::takeOperand(const std::string& operand) {
    const DiskChoice choice = diskChoiceOf(operand, D88Image::maxDisks, namesSomething);
    if (choice.listRefused) {
        failInvalidArgument(diskListWhat, choice.list.c_str(), diskListExpected);
        return false;
    }
    return takePath(choice.path, choice.disks);
}

// A folder with -r is every file below it; a path that names nothing may be
// ARCHIVE/MEMBER, split where a file ends.
bool DiskCollection::takePath(const std::string& path, const std::vector<int32_t>& chosen) {
    if (options_.recursive && path != standardInputOperand && isFolder(path)) {
        bool taken = true;
        walkFolder(
            path, [&](const std::string& file) { taken = taken && takeFile(file, chosen); },
            [&](const std::string& folder, const std::string& reason) {
                taken = taken && refuse(folder, reason);
            });
        return taken;
    }
    MemberOperand split;
    if (opener_ == nullptr && isMemberOperand(path, split)) {
        return takeMember(split.archive, split.member, chosen);
    }
    return takeFile(path, chosen);
}

bool DiskCollection::isOutput(const std::string& path) const {
    std::error_code error;
    return !options_.output.empty() &&
           std::filesystem::equivalent(systemPathOf(options_.output), systemPathOf(path),
                                       error) &&
           !error;
}

// A file: an image, a compressed image, or every member of an archive.
bool DiskCollection::takeFile(const std::string& path, const std::vector<int32_t>& chosen) {
    const char* opened = pathOfOperand(path.c_str());
    if (opened != nullptr && isOutput(opened)) {
        return refuse(options_.output, outputIsInputText);
    }
    SystemError why;
    std::unique_ptr<ByteSource> bytes = openOperand(path.c_str(), why, opener_);
    if (!bytes) {
        fail(path, why);
        return false;
    }
    ArchiveReader archive(*bytes);
    switch (archive.open()) {
    case ArchiveReader::Kind::plainFile: {
        const std::string form = compressedFormOf(*bytes);
        // MemberName{} rather than {}: g++ 12 at -O3 takes the braces for an
        // uninitialised string (-Wmaybe-uninitialized) and the release build fails.
        Source source{path, MemberName{}, std::move(bytes), opened, form, inputOutputError};
        return takeImage(std::move(source), chosen);
    }
    case ArchiveReader::Kind::compressedFile:
        return takeUnpacked(path, {}, archive, chosen);
    case ArchiveReader::Kind::archive:
        return takeMembers(path, archive, chosen);
    case ArchiveReader::Kind::unreadable:
        break;
    }
    return refuse(path, archive.why());
}

bool DiskCollection::takeMember(const std::string& archivePath, const std::string& member,
                                const std::vector<int32_t>& chosen) {
    const char* opened = pathOfOperand(archivePath.c_str());
    if (opened != nullptr && isOutput(opened)) {
        return refuse(options_.output, outputIsInputText);
    }
    SystemError why;
    std::unique_ptr<ByteSource> bytes = openOperand(archivePath.c_str(), why, opener_);
    if (!bytes) {
        fail(archivePath, why);
        return false;
    }
    ArchiveReader archive(*bytes);
    if (archive.open() != ArchiveReader::Kind::archive) {
        return refuse(archivePath, archive.failed() ? archive.why()
                                                    : noSuchMemberText + pathForLine(member) + "\"");
    }
    if (findMember(archive, member)) {
        return takeUnpacked(archivePath, archive.memberName(), archive, chosen);
    }
    return refuse(archivePath, archive.failed() ? archive.why()
                                                : noSuchMemberText + pathForLine(member) + "\"");
}

// Every member in order.
bool DiskCollection::takeMembers(const std::string& path, ArchiveReader& archive,
                                 const std::vector<int32_t>& chosen) {
    do {
        if (!takeUnpacked(path, archive.memberName(), archive, chosen)) {
            return false;
        }
    } while (archive.nextMember());
    return !archive.failed() || refuse(path, archive.why());
}

// The current member, read through a temporary copy.
bool DiskCollection::takeUnpacked(const std::string& path, const MemberName& member,
                                  ArchiveReader& archive, const std::vector<int32_t>& chosen) {
    std::unique_ptr<ByteSource> bytes = StreamCopy::over(archive.memberInput());
    if (!bytes) {
        fail(headingOf(path, member, options_.names), lastErrnoError());
        return false;
    }
    const auto why = [&archive] { return archive.failed() ? archive.why() : inputOutputError(); };
    return takeImage({path, member, std::move(bytes), nullptr, "", why}, chosen);
}

bool DiskCollection::takeImage(Source&& source, const std::vector<int32_t>& chosen) {
    image_.open(std::move(source.bytes), source.opened);
    const bool taken = takeOpenImage(source, chosen);
    // Closed at once: a member is read from the archive, which goes on to the next.
    image_.close();
    return taken;
}

bool DiskCollection::takeOpenImage(const Source& source, const std::vector<int32_t>& chosen) {
    const std::string heading = headingOf(source.path, source.member, options_.names);
    ImageFacts facts = gatherFacts(image_, source.path, GatherWants{});
    if (facts.readFailed) {
        return refuse(heading, source.why());
    }
    noteForm(facts, source.form);
    if (!facts.isD88()) {
        return passOver(heading, facts);
    }
    const std::size_t first = disks_.size();
    if (!appendDisks(heading, facts, chosen)) {
        return false;
    }
    if (options_.set) {
        dropUnpicked();
    }
    return readDiskBytes(first) || refuse(heading, source.why());
}

// A file that is no image is no candidate for --set; a plain join refuses it.
bool DiskCollection::passOver(const std::string& heading, const ImageFacts& facts) {
    if (!options_.set) {
        return refuse(heading, notD88Prefix + facts.notD88Reason);
    }
    printDiagnostic(passedOverFileFormat, pathForLine(heading).c_str(),
                    facts.notD88Reason.c_str());
    return true;
}

// The chosen disks (every disk when none is chosen), each checked.
bool DiskCollection::appendDisks(const std::string& heading, const ImageFacts& facts,
                                 const std::vector<int32_t>& chosen) {
    std::vector<int32_t> numbers = chosen;
    for (int32_t n = 1; chosen.empty() && n <= static_cast<int32_t>(facts.disks.size()); ++n) {
        numbers.push_back(n);
    }
    for (int32_t number : numbers) {
        if (!appendDisk(heading, facts, number)) {
            return false;
        }
    }
    return true;
}

bool DiskCollection::appendDisk(const std::string& heading, const ImageFacts& facts,
                                int32_t number) {
    const int32_t count = static_cast<int32_t>(facts.disks.size());
    if (number > count) {
        return refuse(heading, formatted(noSuchDiskFormat, static_cast<long long>(number),
                                         counted(count, "disk", "disks").c_str()));
    }
    const DiskFacts& disk = facts.disks[static_cast<std::size_t>(number - 1)];
    if (!disk.headerRead) {
        return refuse(heading, formatted(unreadableHeaderFormat, static_cast<long long>(number)));
    }
    // A disk cut short would move every disk after it; --set refuses one only
    // when it is the set's.
    if (!options_.set && !disk.whole()) {
        return refuse(heading, formatted(cutShortFormat, static_cast<long long>(number),
                                         counted(disk.bytesMissing, "byte", "bytes").c_str()));
    }
    JoinedDisk joined;
    joined.file = heading;
    joined.number = number;
    joined.name = disk.name;
    joined.roles = {disk.demoSignature, disk.listsStartup, disk.listsBgmscore};
    joined.offset = disk.offset;
    joined.size = disk.size;
    joined.missing = disk.bytesMissing;
    disks_.push_back(joined);
    total_ += disk.size;
    return options_.set || fitsOneImage(static_cast<int64_t>(disks_.size()), total_);
}

// With --set only the set's disks so far hold their bytes.
void DiskCollection::dropUnpicked() {
    const SetChoice choice = setChoice();
    for (std::size_t d = 0; d < disks_.size(); ++d) {
        if (!isPicked(choice, static_cast<int32_t>(d))) {
            disks_[d].bytes = std::vector<uint8_t>();
        }
    }
}

bool DiskCollection::readDiskBytes(std::size_t first) {
    const SetChoice choice = setChoice();
    DiskBytes bytes;
    for (std::size_t d = first; d < disks_.size(); ++d) {
        if (!options_.set || isPicked(choice, static_cast<int32_t>(d))) {
            // What the file holds of the disk: its size field may run past it.
            disks_[d].bytes.reserve(static_cast<std::size_t>(disks_[d].size - disks_[d].missing));
            bytes.want(disks_[d].offset, disks_[d].size, &disks_[d].bytes);
        }
    }
    image_.observeInOrder(&bytes);
    return !image_.finishInOrder().failed;
}

bool fitsOneImage(int64_t count, int64_t size) {
    if (count > D88Image::maxDisks) {
        fail(formatted(tooManyDisksFormat, static_cast<long long>(count),
                       static_cast<long long>(D88Image::maxDisks)));
        return false;
    }
    if (size > largestImageOffset) {
        fail(formatted(tooLargeFormat, static_cast<long long>(size),
                       static_cast<long long>(largestImageOffset)));
        return false;
    }
    return true;
}
