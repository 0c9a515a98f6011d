#ifndef QUELT_COPIER_IMAGE_OPERAND_H
#define QUELT_COPIER_IMAGE_OPERAND_H

#include <memory>
#include <string>

#include "archive/archive_reader.h"
#include "image/byte_source.h"
#include "image/d88_image.h"
#include "image/file_source.h"

// quelt-cp's IMAGE, opened once: a file, "-" (standard input), a compressed
// image (x.d88.gz), or a member of an archive named as ARCHIVE/MEMBER
// (companion/member_operand.h).
class ImageOperand {
public:
    // `opener`, when given, opens the files instead of the file system.
    explicit ImageOperand(SourceOpener* opener = nullptr) : opener_(opener) {}

    // Opens `operand` into `image`; false, having said why on standard error.
    // The archive's bytes stay open while this lives: a member is read as it
    // is unpacked.
    bool open(D88Image& image, const char* operand);

    // Whether the image's bytes could all be read as far as they were needed;
    // says why on standard error when not (an archive member that is damaged).
    bool readWell(const D88Image& image, const char* operand) const;

    // The compressed or archived form a file opened whole is in, when it is one
    // that could not be unpacked ("gzip data"); empty otherwise.
    const std::string& form() const { return form_; }

private:
    bool openWhole(D88Image& image, const char* operand, std::unique_ptr<ByteSource> source);
    bool openMember(D88Image& image, const std::string& archivePath, const std::string& member);
    bool openUnpacked(D88Image& image, const char* archivePath);

    SourceOpener* opener_;
    std::unique_ptr<ByteSource> archiveBytes_;
    std::unique_ptr<ArchiveReader> archive_;
    std::string form_;
};

#endif
