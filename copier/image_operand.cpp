// IMAGE as a file, standard input, a compressed image or an archive member.
#include "copier/image_operand.h"

#include <cerrno>
#include <string>

#include "archive/compressed_forms.h"
#include "companion/diagnostics.h"
#include "companion/image_input.h"
#include "companion/member_operand.h"
#include "copier/copy_messages.h"
#include "image/stream_copy.h"
#include "names/escapes.h"

bool ImageOperand::open(D88Image& image, const char* operand) {
    MemberOperand split;
    if (opener_ == nullptr && isMemberOperand(operand, split)) {
        return openMember(image, split.archive, split.member);
    }
    SystemError why;
    std::unique_ptr<ByteSource> source = openOperand(operand, why, opener_);
    if (!source) {
        fail(operand, why);
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
        fail(operand, archiveNeedsMemberText);
        return false;
    case ArchiveReader::Kind::unreadable:
        break;
    }
    fail(operand, archive_->why().c_str());
    return false;
}

bool ImageOperand::openMember(D88Image& image, const std::string& archivePath,
                              const std::string& member) {
    SystemError why;
    archiveBytes_ = openOperand(archivePath.c_str(), why, opener_);
    if (!archiveBytes_) {
        fail(archivePath, why);
        return false;
    }
    archive_.reset(new ArchiveReader(*archiveBytes_));
    const bool found =
        archive_->open() == ArchiveReader::Kind::archive && findMember(*archive_, member);
    if (!found) {
        const std::string reason =
            archive_->failed() ? archive_->why() : noSuchMemberText + pathForLine(member) + "\"";
        fail(archivePath, reason.c_str());
        return false;
    }
    return openUnpacked(image, pathOfOperand(archivePath.c_str()));
}

// The current member, read through a temporary copy as far as the copy reaches;
// `archivePath` is what the image's bytes come from, never to be written over.
bool ImageOperand::openUnpacked(D88Image& image, const char* archivePath) {
    std::unique_ptr<ByteSource> member = StreamCopy::over(archive_->memberInput());
    if (!member) {
        fail(archivePath, lastErrnoError());
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
    fail(operand, reason.c_str());
    return false;
}
