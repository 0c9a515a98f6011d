#include "fuzz/archive_mode.h"

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz/captured_outputs.h"
#include "fuzz/fuzz_setup.h"
#include "fuzz/memory_image.h"
#include "fuzz/program_runs.h"
#include "samples/archive_builder.h"

namespace fuzzarchives {

namespace {
using d88build::ArchiveForm;
using d88build::Bytes;

// The input's layout: the form, the count of changes, each change's position
// (16 bits) and the byte it is XORed with, then the image.
constexpr std::size_t formByte = 0;
constexpr std::size_t countByte = 1;
constexpr std::size_t changeBytes = 3;
constexpr std::size_t mostChanges = 8;

// The archive forms, then a compressed image rather than an archive.
constexpr ArchiveForm forms[] = {ArchiveForm::zip, ArchiveForm::zipUtf8,   ArchiveForm::sevenZip,
                                 ArchiveForm::lzh, ArchiveForm::lzhLevel2, ArchiveForm::tar};
constexpr int formCount = sizeof forms / sizeof forms[0] + 1;

// The second member's name is Japanese, as the form keeps it: its code page
// 932 bytes (表's trail byte a backslash) or UTF-8; the changes reach it too.
Bytes archiveFor(int form, const Bytes& image) {
    if (form == formCount - 1) {
        return d88build::gzipOf(image);
    }
    const ArchiveForm chosen = forms[form];
    const bool storedNames = chosen == ArchiveForm::zip || chosen == ArchiveForm::lzh ||
                             chosen == ArchiveForm::lzhLevel2;
    const std::string second = storedNames ? "\x83Q\x81[\x83\x80\x95\x5C.d88"
                                           : "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\xE8\xA1\xA8.d88";
    return d88build::archiveOf(chosen, {{"disks/image.d88", image}, {second, image}});
}
}  // namespace

void listArchive(const uint8_t* data, std::size_t size) {
    if (size < countByte + 1) {
        return;
    }
    const std::size_t changes = std::min<std::size_t>(data[countByte] % (mostChanges + 1),
                                                      (size - countByte - 1) / changeBytes);
    const std::size_t imageStart = countByte + 1 + changes * changeBytes;
    static Bytes archive;
    archive = archiveFor(data[formByte] % formCount, Bytes(data + imageStart, data + size));
    for (std::size_t c = 0; c < changes && !archive.empty(); ++c) {
        const uint8_t* change = data + countByte + 1 + c * changeBytes;
        archive[(change[0] | (change[1] << 8)) % archive.size()] ^= change[2];
    }
    fuzzsetup::memoryImage().set(archive.data(), archive.size());
    const int status = fuzzruns::runLister(fuzzsetup::imageName, "--hash");
    if (status < 0 || status > 2 || fuzzruns::takeCapturedOutputs().size() != 0) {
        fuzzsetup::fail("quelt-ls on an archive ended with status " + std::to_string(status) +
                        " or left a file");
    }
}

}  // namespace fuzzarchives
