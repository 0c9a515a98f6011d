// libarchive over a file's source: what the bytes are, and each member's bytes.
#include "archive/archive_reader.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstdio>

#include "archive/compressed_forms.h"
#include "archive/entry_names.h"

namespace {
// libarchive is given the source's bytes in blocks of this size.
constexpr std::size_t blockSize = 16384;

// Whether libarchive's reason may end with `byte`: not with the newline some of
// its reasons keep, nor a control byte, a space or the sentence's period.
bool endsReason(unsigned char byte) {
    return byte > 0x20 && byte != 0x7F && byte != '.';
}

// libarchive's text as one line of plain ASCII: other bytes (a member's name in
// another code page) as \xNN; what it ends with but a reason does not dropped.
std::string asciiLine(const char* text) {
    std::string raw = text != nullptr ? text : "";
    while (!raw.empty() && !endsReason(static_cast<unsigned char>(raw.back()))) {
        raw.pop_back();
    }
    std::string line;
    for (const char character : raw) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte >= 0x20 && byte < 0x7F) {
            line += static_cast<char>(byte);
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            line += escape;
        }
    }
    return line.empty() ? "unreadable archive" : line;
}

// The filters whose library the build's libarchive has, so that none is ever
// read through an outside program; compress (.Z) it reads itself.
void supportFilters(struct archive* reader) {
    if (archive_zlib_version() != nullptr) {
        archive_read_support_filter_gzip(reader);
    }
    if (archive_bzlib_version() != nullptr) {
        archive_read_support_filter_bzip2(reader);
    }
    if (archive_liblzma_version() != nullptr) {
        archive_read_support_filter_xz(reader);
        archive_read_support_filter_lzma(reader);
        archive_read_support_filter_lzip(reader);
    }
    if (archive_libzstd_version() != nullptr) {
        archive_read_support_filter_zstd(reader);
    }
    if (archive_liblz4_version() != nullptr) {
        archive_read_support_filter_lz4(reader);
    }
    archive_read_support_filter_compress(reader);
}

// The archive formats collections are kept in; "raw" reads a compressed file
// that is no archive as its one member. Formats that guess from text (mtree)
// or look deep into a file (ISO 9660) are left out: an image is never one.
void supportFormats(struct archive* reader) {
    archive_read_support_format_zip(reader);
    archive_read_support_format_7zip(reader);
    archive_read_support_format_tar(reader);
    archive_read_support_format_lha(reader);
    archive_read_support_format_cab(reader);
    archive_read_support_format_rar(reader);
    archive_read_support_format_rar5(reader);
    archive_read_support_format_cpio(reader);
    archive_read_support_format_raw(reader);
}
}  // namespace

// libarchive's callbacks, reading the source by position.
struct ArchiveReader::Callbacks {
    static la_ssize_t read(struct archive*, void* data, const void** block) {
        auto* reader = static_cast<ArchiveReader*>(data);
        *block = reader->block_.get();
        const std::size_t got =
            reader->source_.readAt(reader->position_, reader->block_.get(), blockSize);
        reader->position_ += static_cast<int64_t>(got);
        return reader->source_.failed() ? ARCHIVE_FATAL : static_cast<la_ssize_t>(got);
    }
    static la_int64_t seek(struct archive*, void* data, la_int64_t offset, int whence) {
        auto* reader = static_cast<ArchiveReader*>(data);
        const int64_t base = whence == SEEK_SET   ? 0
                             : whence == SEEK_CUR ? reader->position_
                                                  : endOf(*reader);
        if (base < 0 || base + offset < 0) {
            return ARCHIVE_FATAL;
        }
        reader->position_ = base + offset;
        return reader->position_;
    }
    static la_int64_t skip(struct archive* a, void* data, la_int64_t request) {
        auto* reader = static_cast<ArchiveReader*>(data);
        const int64_t from = reader->position_;
        return seek(a, data, request, SEEK_CUR) < 0 ? 0 : reader->position_ - from;
    }
    static int64_t endOf(ArchiveReader& reader);
};

// Where the source ends; -1 for a stream not read to its end while the formats
// bid for the bytes. A stream's end is known only once it is read there, and
// reading it to its end to let a bidder look there would copy every piped file
// whole: a ZIP on a pipe is then read as it comes, as libarchive can. Once a
// format is chosen that needs the end (7-Zip), the stream is read to it.
int64_t ArchiveReader::Callbacks::endOf(ArchiveReader& reader) {
    uint8_t byte = 0;
    if (reader.source_.knownLength() < 0 && reader.formatChosen_) {
        reader.source_.readAt(largestImageOffset, &byte, 1);
    }
    return reader.source_.knownLength();
}

ArchiveReader::ArchiveReader(ByteSource& source)
    : source_(source), block_(new uint8_t[blockSize]) {}

ArchiveReader::~ArchiveReader() {
    const LibarchiveLocale names(nameLocale_);
    if (archive_ != nullptr) {
        archive_read_free(archive_);
    }
}

void ArchiveReader::noteFailure(int status) {
    why_ = asciiLine(archive_error_string(archive_));
    fatal_ = fatal_ || status == ARCHIVE_FATAL;
}

// Only bytes that begin with the signature of a compressed or archived form are
// shown to libarchive: a D88 image begins with its first disk's name, and
// libarchive's tar would take a file that begins with zeros for an empty
// archive, or a header whose checksum happens to hold for one of its own.
bool ArchiveReader::mayBeArchive() {
    return !compressedFormOf(source_).empty();
}

int ArchiveReader::startReading() {
    archive_ = archive_read_new();
    if (archive_ == nullptr) {
        why_ = "out of memory";
        fatal_ = true;
        return ARCHIVE_FATAL;
    }
    position_ = 0;
    supportFilters(archive_);
    supportFormats(archive_);
    readNamesByteForByte(archive_);
    archive_read_set_callback_data(archive_, this);
    archive_read_set_read_callback(archive_, Callbacks::read);
    archive_read_set_seek_callback(archive_, Callbacks::seek);
    archive_read_set_skip_callback(archive_, Callbacks::skip);
    const int opened = archive_read_open1(archive_);
    if (opened != ARCHIVE_OK) {
        noteFailure(opened);
    }
    return opened;
}

ArchiveReader::Kind ArchiveReader::open() {
    if (!mayBeArchive()) {
        return source_.failed() ? Kind::unreadable : Kind::plainFile;
    }
    const LibarchiveLocale names(nameLocale_);
    const int opened = startReading();
    formatChosen_ = true;
    if (archive_ == nullptr) {
        return Kind::unreadable;
    }
    if (opened != ARCHIVE_OK) {
        // No format took the bytes (an empty file): an image reader's, then.
        return source_.failed() ? Kind::unreadable : Kind::plainFile;
    }
    const bool any = readFileHeader();
    const bool compressed = archive_filter_code(archive_, 0) != ARCHIVE_FILTER_NONE;
    if (archive_format(archive_) == ARCHIVE_FORMAT_RAW) {
        return compressed ? (failed() ? Kind::unreadable : Kind::compressedFile) : Kind::plainFile;
    }
    if (failed()) {
        return Kind::unreadable;
    }
    return any ? Kind::archive : Kind::plainFile;
}

bool ArchiveReader::nextMember() {
    const LibarchiveLocale names(nameLocale_);
    if (fatal_ && !readAgainPastCurrent()) {
        return false;
    }
    return readFileHeader();
}

// Reads headers until one of a file: a folder or a link is no image.
bool ArchiveReader::readFileHeader() {
    while (!fatal_) {
        struct archive_entry* entry = nullptr;
        const int status = archive_read_next_header(archive_, &entry);
        if (status == ARCHIVE_EOF) {
            return false;
        }
        if (status < ARCHIVE_WARN) {
            noteFailure(status);
            return false;
        }
        if (archive_entry_filetype(entry) == AE_IFREG) {
            memberName_ = memberNameOf(archive_, entry);
            ++filesRead_;
            return true;
        }
    }
    return false;
}

// libarchive reads on from no failure it calls fatal, a member's bytes that
// cannot be unpacked among them; the members after it may still be whole (a
// ZIP's are found through its central directory). So the archive is read again
// from its start, passing over the headers up to the current member's, once
// for each member; false, why() saying why, when those cannot be passed over.
bool ArchiveReader::readAgainPastCurrent() {
    if (archive_ == nullptr || filesRead_ == readAgainAt_) {
        return false;
    }
    const int passed = filesRead_;
    readAgainAt_ = passed;
    archive_read_free(archive_);
    archive_ = nullptr;
    fatal_ = false;
    filesRead_ = 0;
    if (startReading() != ARCHIVE_OK) {
        fatal_ = true;
        return false;
    }
    while (filesRead_ < passed) {
        if (!readFileHeader()) {
            fatal_ = true;
            return false;
        }
    }
    return true;
}

// A member's bytes as libarchive unpacks them.
class MemberInput : public SequentialInput {
public:
    explicit MemberInput(ArchiveReader& reader) : reader_(reader) {}
    std::size_t read(uint8_t* dest, std::size_t count) override {
        const LibarchiveLocale names(reader_.nameLocale_);
        std::size_t got = 0;
        while (got < count && !ended_) {
            const la_ssize_t part = archive_read_data(reader_.archive_, dest + got, count - got);
            if (part < 0) {
                reader_.noteFailure(static_cast<int>(part));
            }
            ended_ = part <= 0;
            got += part > 0 ? static_cast<std::size_t>(part) : 0;
        }
        return got;
    }
    bool failed() const override { return reader_.failed(); }

private:
    ArchiveReader& reader_;
    bool ended_ = false;
};

std::unique_ptr<SequentialInput> ArchiveReader::memberInput() {
    return std::unique_ptr<SequentialInput>(new MemberInput(*this));
}
