#include "fuzz/archive_mode.h"

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz/captured_outputs.h"
#include "fuzz/fuzz_setup.h"
#include "fuzz/memory_image.h"
#include "fuzz/program_runs.h"
#include "support/archive_builder.h"

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

// The forms, the last one a compressed image rather than an archive.
constexpr int formCount = 5;

Bytes archiveFor(int form, const Bytes& image) {
    const std::vector<d88build::ArchiveMember> members = {{"disks/image.d88", image},
                                                          {"second.d88", image}};
    switch (form) {
    case 0:
        return d88build::archiveOf(ArchiveForm::zip, members);
    case 1:
        return d88build::archiveOf(ArchiveForm::sevenZip, members);
    case 2:
        return d88build::archiveOf(ArchiveForm::lzh, members);
    case 3:
        return d88build::archiveOf(ArchiveForm::tar, members);
    default:
        return d88build::gzipOf(image);
    }
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
