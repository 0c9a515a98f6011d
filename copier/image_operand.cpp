// IMAGE as a file, standard input, a compressed image or an archive member.
#include "copier/image_operand.h"

#include <cerrno>
#include <string>

#include "archive/compressed_forms.h"
#include "companion/diagnostics.h"
#include "companion/file_kind.h"
#include "companion/image_input.h"
#include "companion/native_path.h"
#include "copier/copy_messages.h"
#include "image/stream_copy.h"

namespace {
// A regular file (through a link too), or standard input: what can hold members.
bool holdsMembers(const std::string& path) {
    return path == standardInputOperand || fileKindOf(path) == FileKind::regularFile;
}

bool namesSomething(const char* operand) {
    return std::string(operand) == standardInputOperand || fileKindOf(operand) != FileKind::none;
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

bool ImageOperand::open(D88Image& image, const char* operand) {
    const std::size_t split = opener_ != nullptr || namesSomething(operand)
                                  ? std::string::npos
                                  : memberSplitOf(operand, holdsMembers);
    if (split != std::string::npos) {
        const std::string path = operand;
        return openMember(image, path.substr(0, split), path.substr(split + 1));
    }
    SystemError why;
    std::unique_ptr<ByteSource> source = openOperand(operand, why, opener_);
    if (!source) {
        reportFileError(copierName, operand, why);
        return false;
    }
    return openWhole(image, operand, std::move(source));
}

// A file named whole: an image, a compressed image, but no archive.
bool ImageOperand::openWhole(D88Image& image, const char* operand,
                             std::unique_ptr<ByteSource> source) {
    archiveBytes_ = std::move(source);
    archive_.reset(new ArchiveReader(*archiveBytes_));
    switch (archive_->open()) {
    case ArchiveReader::Kind::plainFile:
        archive_.reset();
        form_ = compressedFormOf(*archiveBytes_);
        return image.open(std::move(archiveBytes_), pathOfOperand(operand));
    case ArchiveReader::Kind::compressedFile:
        return openUnpacked(image, operand);
    case ArchiveReader::Kind::archive:
        reportFileProblem(copierName, operand, archiveNeedsMemberText);
        return false;
    case ArchiveReader::Kind::unreadable:
        break;
    }
    reportFileProblem(copierName, operand, archive_->why().c_str());
    return false;
}

bool ImageOperand::openMember(D88Image& image, const std::string& archivePath,
                              const std::string& member) {
    SystemError why;
    archiveBytes_ = openOperand(archivePath.c_str(), why, opener_);
    if (!archiveBytes_) {
        reportFileError(copierName, archivePath, why);
        return false;
    }
    archive_.reset(new ArchiveReader(*archiveBytes_));
    bool found = archive_->open() == ArchiveReader::Kind::archive;
    while (found && archive_->memberName() != member) {
        found = archive_->nextMember();
    }
    if (!found) {
        const std::string reason =
            archive_->failed() ? archive_->why() : noSuchMemberText + member + "\"";
        reportFileProblem(copierName, archivePath, reason.c_str());
        return false;
    }
    return openUnpacked(image, pathOfOperand(archivePath.c_str()));
}

// The current member, read through a temporary copy as far as the copy reaches;
// `archivePath` is what the image's bytes come from, never to be written over.
bool ImageOperand::openUnpacked(D88Image& image, const char* archivePath) {
    std::unique_ptr<ByteSource> member = StreamCopy::over(archive_->memberInput());
    if (!member) {
        reportFileError(copierName, archivePath, lastErrnoError());
        return false;
    }
    return image.open(std::move(member), archivePath);
}

bool ImageOperand::readWell(const D88Image& image, const char* operand) const {
    if (!image.readFailed()) {
        return true;
    }
    const std::string reason = archive_ && archive_->failed()
                                   ? archive_->why()
                                   : reasonFor({SystemError::Kind::errnoValue, EIO});
    reportFileProblem(copierName, operand, reason.c_str());
    return false;
}
