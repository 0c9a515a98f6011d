// One file of quelt-ls's run: opened once, as an image or an archive's members.
#include "lister/list_file.h"

#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>

#include "archive/archive_reader.h"
#include "archive/compressed_forms.h"
#include "companion/console.h"
#include "companion/diagnostics.h"
#include "companion/image_input.h"
#include "companion/member_operand.h"
#include "lister/gather_facts.h"
#include "lister/json_listing.h"
#include "lister/list_messages.h"
#include "lister/listing_labels.h"
#include "lister/short_listing.h"
#include "lister/text_listing.h"
#include "names/escapes.h"
#include "names/member_names.h"
#include "recognition/header_check.h"

namespace {
// What is listed: a file, or a member of the archive at `path`.
struct Listed {
    std::string path;
    MemberName member;
};

GatherWants wantsOf(const ListingOptions& options) {
    GatherWants wants;
    wants.hashes = options.form != ListingForm::text || options.hashes;
    wants.disksOfNonImages = options.raw;
    return wants;
}

std::string cutOffNote(const ImageFacts& facts) {
    char note[sizeof cutOffFormat + 24];
    std::snprintf(note, sizeof note, cutOffFormat, static_cast<long long>(facts.cutOffAt));
    return note;
}

// The text form: the heading when files are told apart, the note of an image
// cut off, the listing.
std::string textOf(const ListingRun& run, const ImageFacts& facts) {
    std::string text;
    if (run.headings || !facts.member.empty()) {
        const std::string heading = headingOf(facts.path, facts.member, run.options.names);
        text += formatted("%s%s:\n", run.listed > 0 ? "\n" : "", pathForLine(heading).c_str());
    }
    if (facts.cutOffAt >= 0) {
        text += cutOffNote(facts) + "\n";
    }
    return text + textListing(facts, run.options);
}

// The summary form: its lines, and on standard error what it has no column for.
void renderShort(ListingRun& run, const ImageFacts& facts) {
    run.text.put(shortListing(facts, run.options.names));
    const std::string heading = headingOf(facts.path, facts.member, run.options.names);
    if (facts.cutOffAt >= 0) {
        run.text.fail(heading, cutOffNote(facts));
    }
    if (!facts.isD88()) {
        run.text.fail(heading, notD88Prefix + facts.notD88Reason);
    }
}

void render(ListingRun& run, const ImageFacts& facts) {
    switch (run.options.form) {
    case ListingForm::text:
        run.text.put(textOf(run, facts));
        break;
    case ListingForm::summary:
        renderShort(run, facts);
        break;
    case ListingForm::json:
        run.text.put(jsonListing(facts, run.options));
        break;
    }
    ++run.listed;
}

// A file or member that cannot be read: the reason, and in JSON its object.
void reportUnreadable(ListingRun& run, const Listed& listed, const std::string& reason) {
    run.text.fail(headingOf(listed.path, listed.member, run.options.names), reason);
    if (run.options.form == ListingForm::json) {
        run.text.put(jsonFailure(listed.path, listed.member, reason));
    }
    run.noteStatus(trouble);
}

// Why a file's read failed: its reader learns no more than that it did.
std::string inputOutputError() {
    return reasonFor({SystemError::Kind::errnoValue, EIO});
}

// What a file that holds no members says when a member of it is named, as
// the system says of a path through a file.
SystemError notADirectory() {
    return {SystemError::Kind::errnoValue, ENOTDIR};
}

// Lists the image `source` holds; `why` gives the reason when a read fails.
void listSource(ListingRun& run, const Listed& listed, std::unique_ptr<ByteSource> source,
                const char* openedPath, const std::function<std::string()>& why) {
    const std::string form = compressedFormOf(*source);
    D88Image& image = run.image;
    image.open(std::move(source), openedPath);
    ImageFacts facts = gatherFacts(image, listed.path, wantsOf(run.options));
    // Closed at once: a member is read from the archive, which goes on to the next.
    image.close();
    if (facts.readFailed) {
        reportUnreadable(run, listed, why());
        return;
    }
    facts.member = listed.member;
    noteForm(facts, form);
    render(run, facts);
    run.noteStatus(facts.isD88() ? allD88 : someNotD88);
}

// The current member of `archive` as an image, through a temporary copy made
// as far as the reading reaches.
void listMember(ListingRun& run, const Listed& listed, ArchiveReader& archive) {
    std::unique_ptr<ByteSource> member = StreamCopy::over(archive.memberInput());
    if (!member) {
        reportUnreadable(run, listed, reasonFor(lastErrnoError()));
        return;
    }
    listSource(run, listed, std::move(member), nullptr, [&archive] { return archive.why(); });
    // A member that could not be read has been reported; the archive goes on
    // unless libarchive can read no further.
    archive.forgetFailure();
}

// Every member, and where the listing stops when libarchive can read no
// further: after the last member listed.
void listMembers(ListingRun& run, const std::string& path, ArchiveReader& archive) {
    MemberName last;
    do {
        last = archive.memberName();
        listMember(run, {path, last}, archive);
    } while (archive.nextMember());
    if (archive.failed()) {
        const std::string stop = stopsAfterText + memberNameText(last, run.options.names) +
                                 "\": " + archive.why();
        reportUnreadable(run, {path, {}}, stop);
    }
}

// The members of the archive `split` names that its member's name finds (an
// archive may hold one name twice), each alone.
void listNamedMembers(ListingRun& run, const MemberOperand& split, ArchiveReader& archive) {
    int found = 0;
    while (findMember(archive, split.member)) {
        listMember(run, {split.archive, archive.memberName()}, archive);
        ++found;
        if (!archive.nextMember()) {
            break;
        }
    }
    if (archive.failed()) {
        reportUnreadable(run, {split.archive, {}}, archive.why());
    } else if (found == 0) {
        reportUnreadable(run, {split.archive, {}},
                         noSuchMemberText + pathForLine(split.member) + "\"");
    }
}

// ARCHIVE/MEMBER, `path` as given: that member alone, as the archive's listing
// shows it. A file that is no archive holds no member, as the system says.
void listMemberOperand(ListingRun& run, const std::string& path, const MemberOperand& split) {
    SystemError why;
    std::unique_ptr<ByteSource> source = openOperand(split.archive.c_str(), why);
    if (!source) {
        reportUnreadable(run, {split.archive, {}}, reasonFor(why));
        return;
    }
    ArchiveReader archive(*source);
    const ArchiveReader::Kind kind = archive.open();
    if (kind == ArchiveReader::Kind::archive) {
        listNamedMembers(run, split, archive);
    } else {
        reportUnreadable(run, {archive.failed() ? split.archive : path, {}},
                         archive.failed() ? archive.why() : reasonFor(notADirectory()));
    }
}
}  // namespace

void listFile(ListingRun& run, const std::string& path) {
    MemberOperand split;
    if (run.opener == nullptr && isMemberOperand(path, split)) {
        listMemberOperand(run, path, split);
        return;
    }
    SystemError why;
    std::unique_ptr<ByteSource> source = openOperand(path.c_str(), why, run.opener);
    if (!source) {
        reportUnreadable(run, {path, {}}, reasonFor(why));
        return;
    }
    ArchiveReader archive(*source);
    switch (archive.open()) {
    case ArchiveReader::Kind::plainFile:
        listSource(run, {path, {}}, std::move(source), pathOfOperand(path.c_str()),
                   inputOutputError);
        break;
    case ArchiveReader::Kind::compressedFile:
        listMember(run, {path, {}}, archive);
        break;
    case ArchiveReader::Kind::archive:
        listMembers(run, path, archive);
        break;
    case ArchiveReader::Kind::unreadable:
        reportUnreadable(run, {path, {}}, archive.why());
        break;
    }
}
