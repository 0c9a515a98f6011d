#ifndef QUELT_JOINER_JOINED_DISKS_H
#define QUELT_JOINER_JOINED_DISKS_H

#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "image/d88_image.h"
#include "image/file_source.h"
#include "joiner/set_rule.h"
#include "lister/image_facts.h"
#include "names/shown_names.h"

// The disks a join takes from its operands, taken as quelt-ls takes files: an
// image, "-", a compressed image, every member of an archive in order or one
// ARCHIVE/MEMBER, and with -r every file below a folder. Each file is opened
// once and read through its one reader: its facts as quelt-ls gathers them,
// then the bytes of the disks it gives, exactly as the file holds them.

struct JoinOptions {
    bool set = false;
    bool recursive = false;
    std::string output;  // empty: standard output
    NameForm names = NameForm::escaped;  // how lines show members' and disks' names
};

struct JoinedDisk {
    std::string file;       // the image as lines name it: its path, or ARCHIVE/MEMBER
    int32_t number = 0;     // from 1, in its image
    std::string name;       // the header's name bytes
    RoleFacts roles;
    int64_t offset = 0;     // where it begins in its file
    uint32_t size = 0;      // its header's size field, unsigned
    int64_t missing = 0;    // bytes of it past the end of its file
    std::vector<uint8_t> bytes;  // held while it may be written
};

class DiskCollection {
public:
    // `opener`, when given, opens the files instead of the file system.
    explicit DiskCollection(const JoinOptions& options, SourceOpener* opener = nullptr)
        : options_(options), opener_(opener) {}

    // Takes the disks of the files `operand` stands for (IMAGE@LIST included);
    // false, having said why on standard error, when one cannot be taken.
    bool takeOperand(const std::string& operand);

    // Every disk taken, in order; with --set, only the set's hold their bytes.
    const std::vector<JoinedDisk>& disks() const { return disks_; }
    // The set's disks as the disks so far give them.
    SetChoice setChoice() const;

private:
    struct Source;
    bool takePath(const std::string& path, const std::vector<int32_t>& chosen);
    bool takeFile(const std::string& path, const std::vector<int32_t>& chosen);
    bool takeMember(const std::string& archivePath, const std::string& member,
                    const std::vector<int32_t>& chosen);
    bool takeMembers(const std::string& path, ArchiveReader& archive,
                     const std::vector<int32_t>& chosen);
    bool takeUnpacked(const std::string& path, const MemberName& member, ArchiveReader& archive,
                      const std::vector<int32_t>& chosen);
    bool takeImage(Source&& source, const std::vector<int32_t>& chosen);
    bool takeOpenImage(const Source& source, const std::vector<int32_t>& chosen);
    bool passOver(const std::string& heading, const ImageFacts& facts);
    bool appendDisks(const std::string& heading, const ImageFacts& facts,
                     const std::vector<int32_t>& chosen);
    bool appendDisk(const std::string& heading, const ImageFacts& facts, int32_t number);
    bool readDiskBytes(std::size_t first);
    bool isOutput(const std::string& path) const;
    void dropUnpicked();

    JoinOptions options_;
    SourceOpener* opener_;
    D88Image image_;
    std::vector<JoinedDisk> disks_;
    int64_t total_ = 0;  // the bytes of every disk taken
};

// Whether `count` disks of `size` bytes in all fit one image that quelt reads
// whole: at most 64 disks, and no more bytes than an image can hold; says why
// on standard error when not.
bool fitsOneImage(int64_t count, int64_t size);

#endif
