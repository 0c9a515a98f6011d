#ifndef QUELT_ARCHIVE_ARCHIVE_READER_H
#define QUELT_ARCHIVE_ARCHIVE_READER_H

#include <memory>
#include <string>

#include "image/byte_source.h"
#include "image/stream_copy.h"
#include "archive/entry_names.h"
#include "names/member_names.h"

struct archive;

// Images kept in archives, read by libarchive (never by a decoder of our own):
// the formats ZIP, 7-Zip, tar, LZH, cabinet, RAR and cpio, and of the
// compressed forms those the build's libarchive has the library for (gzip,
// bzip2, xz, lzma, lzip, zstd, lz4) and compress (.Z), which it reads itself.
// No outside program is ever started to unpack a form.
//
// An ArchiveReader reads the bytes of a file's source (which it borrows) and
// tells what they are: an archive of members, one compressed file, or neither.
// A file is shown to libarchive only when it begins with the signature of such
// a form (compressed_forms.h), so that no image is ever taken for an archive.
// A member's bytes are read as they are unpacked, as a stream (memberInput), so
// that an image reader copies them only as far as it reaches.
class ArchiveReader {
public:
    enum class Kind {
        plainFile,       // neither archive nor compressed, or an archive of no member
        archive,         // members, each an image of its own
        compressedFile,  // one compressed file: the file's bytes are its member's
        unreadable,      // a form libarchive knows but cannot read: why() says why
    };

    explicit ArchiveReader(ByteSource& source);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Reads the file's first header. For an archive or a compressed file, the
    // first member is then the current one.
    Kind open();
    // On to the next member that is a file (folders and links are passed over);
    // false at the end, or when the archive cannot be read on (why() says why).
    // After a member whose bytes could not be unpacked, the archive is read
    // again from its start to reach the members after it.
    bool nextMember();
    // The current member's name as the archive holds it, whatever the locale
    // (archive/entry_names.h).
    const MemberName& memberName() const { return memberName_; }
    // The current member's bytes as a stream, read as they are unpacked; its
    // read failure's reason is why(). Valid while the reader and the member are.
    std::unique_ptr<SequentialInput> memberInput();
    // Whether reading failed, and libarchive's reason, as one line of ASCII.
    bool failed() const { return !why_.empty(); }
    const std::string& why() const { return why_; }
    // Forgets a failure once it has been reported: nextMember goes on unless
    // libarchive can read no further in this archive.
    void forgetFailure() { why_.clear(); }

private:
    friend class MemberInput;
    struct Callbacks;

    bool mayBeArchive();
    int startReading();
    bool readFileHeader();
    bool readAgainPastCurrent();

    void noteFailure(int status);

    ByteSource& source_;
    NameLocale nameLocale_;  // outlives archive_: freeing it runs in the locale
    struct archive* archive_ = nullptr;
    int64_t position_ = 0;
    std::unique_ptr<uint8_t[]> block_;
    MemberName memberName_;
    std::string why_;
    bool fatal_ = false;         // libarchive can read no further
    int filesRead_ = 0;          // the members that are files, the current one included
    int readAgainAt_ = 0;        // filesRead_ when the archive was last read again
    bool formatChosen_ = false;  // the formats have bid for the bytes
};

#endif
