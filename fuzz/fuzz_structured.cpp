// libFuzzer target: a compact description (fuzz/image_description.h) expanded
// into an image of up to 16 MiB, read by all three programs in-process from
// memory (fuzz/memory_image.h), their output files kept in memory
// (fuzz/captured_outputs.h): quelt's whole run on every input, and on a third of
// them each (by a hash of the input) quelt-ls's listing, quelt-cp's copy of every
// file of one of the first disks and of one file by name, or the comparison of
// D88Image's answers with a plain walk. A custom mutator keeps most images small
// and expands one input in a few dozen to a MiB or more.
// Besides crashes, sanitizer reports and slow inputs, these are findings: a
// status other than 0 or 1 (quelt-ls: 2 only for an image that begins as an
// archive does and that libarchive cannot read), a file no run should have
// written (quelt: one of its 24 outputs; quelt-ls: none; quelt-cp: one file for
// each used directory entry, of the entry's size), a write outside the folder,
// and an answer of D88Image that differs from a plain walk of the track.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <string>

#include "archive/compressed_forms.h"
#include "fuzz/captured_outputs.h"
#include "fuzz/fuzz_setup.h"
#include "fuzz/image_checks.h"
#include "fuzz/image_description.h"
#include "fuzz/memory_image.h"
#include "fuzz/program_runs.h"
#include "fuzz/warm_up.h"
#include "gamefs/game_fs.h"
#include "names/shown_names.h"
#include "recognition/directory_rule.h"
#include "tool/writers/disk_image.h"

namespace {

// The copies, and the comparison with the plain walk, of the first disks only:
// each copy may write 48 files, and each disk checked reads all its tracks.
constexpr int32_t copiedDisks = 3;
constexpr int32_t disksChecked = 4;
constexpr char standardOutput[] = "-";
// Besides quelt's run, each input has one of these, by a hash of its bytes:
// every run reads an image of up to many MiB again, and the comparison reads
// every track of the disks checked, several times the programs' own reading.
enum class Companion : uint32_t { lister, copier, joiner, comparison, count };
constexpr uint32_t companionSalt = 2;

// Of every mutationDraws mutations, how many get a cap of 16 MiB, 4 MiB, 1 MiB,
// 256 KiB and 64 KiB (size classes 0 to 4); the others get the small one. Images
// of MiBs cost tens of milliseconds each under the sanitizers, small ones about
// a third of one.
constexpr uint32_t mutationDraws = 1024;
constexpr std::array<uint32_t, fuzzimage::largeSizeClasses> largeCapDraws = {2, 4, 8, 32, 128};

// The large size class a draw gives, or -1.
int largeClassOf(uint32_t draw) {
    for (int sizeClass = 0; sizeClass < fuzzimage::largeSizeClasses; ++sizeClass) {
        if (draw < largeCapDraws[static_cast<std::size_t>(sizeClass)]) {
            return sizeClass;
        }
        draw -= largeCapDraws[static_cast<std::size_t>(sizeClass)];
    }
    return -1;
}

uint16_t sizeField(const DirectoryEntry& entry) {
    return static_cast<uint16_t>(entry.size[0] | (entry.size[1] << 8));
}

// The files a whole-disk copy must have left: one for each used entry of the
// directory it read, as long as each entry's size field, unless the entries are
// not this file system's; the sizes are compared as sorted lists.
void checkCopiedFiles(const fuzzruns::Outputs& outputs, int32_t disk) {
    std::multiset<std::uintmax_t> expected;
    // A directory of zero fill has no used entry either way: no table count needed.
    if (foreignDirectoryReason(0).empty()) {
        for (const DirectoryEntry& entry : directoryTable) {
            if (entryInUse(entry)) {
                expected.insert(sizeField(entry));
            }
        }
    }
    std::multiset<std::uintmax_t> copied;
    for (const auto& [name, output] : outputs) {
        if (name != fuzzruns::statusName) {
            copied.insert(output.size);
        }
    }
    if (copied != expected) {
        fuzzsetup::fail("quelt-cp of disk " + std::to_string(disk) + " left " +
                        std::to_string(copied.size()) + " files for " +
                        std::to_string(expected.size()) + " entries, or other sizes");
    }
}

// The first used entry's name, written as quelt-ls lists it, copied to standard output.
void copyFirstFileByName(int32_t disk) {
    for (const DirectoryEntry& entry : directoryTable) {
        if (entryInUse(entry)) {
            const std::string name = fuzzruns::entryName(entry);
            const std::string listed = listedNameText(name, NameForm::escaped);
            const int status =
                fuzzruns::runCopier(fuzzsetup::imageName, disk, listed.c_str(), standardOutput);
            if (fuzzruns::takeOutputs(status).size() != 1) {
                fuzzsetup::fail("quelt-cp to standard output left a file");
            }
            return;
        }
    }
}

void runLister(const fuzzimage::Bytes& image) {
    const int listed = fuzzruns::runLister(fuzzsetup::imageName);
    // 1: the image is no D88 image by its first header, which a description may
    // give; 2: it begins as a compressed or archived form does, and libarchive
    // cannot read it as one.
    const bool archived = !compressedFormOf(image.data(), image.size()).empty();
    const bool expected = listed == 0 || listed == 1 || (listed == 2 && archived);
    // takeOutputs fails on 2 itself: only the status is kept.
    const std::size_t written = fuzzruns::takeCapturedOutputs().size();
    if (!expected || written != 0) {
        fuzzsetup::fail("quelt-ls ended with status " + std::to_string(listed) +
                        " or left a file");
    }
}

void runCopier(int32_t copiedDisk) {
    const int status = fuzzruns::runCopier(fuzzsetup::imageName, copiedDisk);
    checkCopiedFiles(fuzzruns::takeOutputs(status), copiedDisk);
    copyFirstFileByName(copiedDisk);
}

// quelt-join writes at most its one image: a plain join of one image is the
// bytes of its disks from the start, a prefix of the image; the set's at most
// three of them.
void runJoiner(const fuzzimage::Bytes& image, bool set) {
    fuzzruns::keepOutputBytes(true);
    const fuzzruns::Outputs outputs =
        fuzzruns::takeOutputs(fuzzruns::runJoiner(fuzzsetup::imageName, set));
    fuzzruns::keepOutputBytes(false);
    const auto joined = outputs.find(fuzzruns::joinedName);
    if (outputs.size() > 2 || (outputs.size() == 2 && joined == outputs.end())) {
        fuzzsetup::fail("quelt-join left another file");
    }
    if (joined == outputs.end()) {
        return;
    }
    const std::string& bytes = joined->second.bytes;
    const bool prefix = bytes.size() <= image.size() &&
                        std::memcmp(bytes.data(), image.data(), bytes.size()) == 0;
    if (!set ? !prefix : bytes.size() > 3 * image.size()) {
        fuzzsetup::fail("quelt-join wrote " + std::to_string(bytes.size()) +
                        " bytes that are not its image's disks");
    }
}

}  // namespace

// libFuzzer's own mutation of a description, then its size class picked afresh
// by the mutation's seed: a cap of 1 MiB or more for about one input in seventy,
// of 256 KiB for one in thirty, of 64 KiB for one in eight, and otherwise the
// small one. A description grows its structure in quick small
// images and is now and then expanded at a large size; an input's bytes alone
// still decide its image, so that a finding reproduces.
extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int seed) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (size > 0) {
        std::minstd_rand random(seed);
        const int large = largeClassOf(static_cast<uint32_t>(random() % mutationDraws));
        int sizeClass = fuzzimage::sizeClassOf(data[0]);
        if (large >= 0) {
            sizeClass = large;
        } else if (sizeClass < fuzzimage::largeSizeClasses) {
            sizeClass = fuzzimage::largeSizeClasses +
                        static_cast<int>(random() % (fuzzimage::sizeClasses -
                                                     fuzzimage::largeSizeClasses));
        }
        data[0] = fuzzimage::withSizeClass(data[0], sizeClass);
    }
    return size;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsetup::startTarget(argc, argv, "quelt-fuzz-structured");
    fuzzimage::makeGameDisks();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static fuzzimage::Bytes image;
    fuzzimage::expandDescription(data, size, image);
    fuzzsetup::noteImageSize(image.size());
    fuzzsetup::memoryImage().set(image.data(), image.size());
    fuzzchecks::setLimits(diskImage, fuzzchecks::sweptInput(data, size));
    fuzzruns::checkQueltOutputs(fuzzruns::takeOutputs(fuzzruns::runQuelt(fuzzsetup::imageName)));
    const auto companion = static_cast<Companion>(fuzzsetup::sampleOf(
        data, size, static_cast<uint32_t>(Companion::count), companionSalt));
    if (companion == Companion::lister) {
        runLister(image);
    } else if (companion == Companion::joiner) {
        runJoiner(image, size % 2 == 0);
    } else if (companion == Companion::copier) {
        // One of the first disks, by the input's size.
        runCopier(static_cast<int32_t>(size % copiedDisks) + 1);
    } else {
        fuzzchecks::checkImage(image, disksChecked, fuzzchecks::sweptInput(data, size));
    }
    return 0;
}
