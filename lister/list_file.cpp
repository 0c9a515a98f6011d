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
#include "lister/gather_facts.h"
#include "lister/json_listing.h"
#include "lister/list_messages.h"
#include "lister/listing_labels.h"
#include "lister/short_listing.h"
#include "lister/text_listing.h"
#include "names/path_text.h"
#include "recognition/header_check.h"

namespace {
// What is listed: a file, or a member of the archive at `path`.
struct Listed {
    std::string path;
    std::string member;
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

void render(ListingRun& run, const ImageFacts& facts) {
    switch (run.options.form) {
    case ListingForm::text:
        if (run.headings || !facts.member.empty()) {
            printOutput("%s%s:\n", run.listed > 0 ? "\n" : "",
                        pathForLine(headingOf(facts.path, facts.member)).c_str());
        }
        if (facts.cutOffAt >= 0) {
            printOutput("%s\n", cutOffNote(facts).c_str());
        }
        printTextListing(facts, run.options);
        break;
    case ListingForm::summary:
        printShortListing(facts);
        if (facts.cutOffAt >= 0) {
            reportFileProblem(listerName, headingOf(facts.path, facts.member),
                              cutOffNote(facts).c_str());
        }
        if (!facts.isD88()) {
            reportFileProblem(listerName, headingOf(facts.path, facts.member),
                              (notD88Prefix + notD88ReasonOf(facts)).c_str());
        }
        break;
    case ListingForm::json:
        printJsonListing(facts, run.options);
        break;
    }
    ++run.listed;
}

// A file or member that cannot be read: the reason, and in JSON its object.
void reportUnreadable(ListingRun& run, const Listed& listed, const std::string& reason) {
    reportFileProblem(listerName, headingOf(listed.path, listed.member), reason.c_str());
    if (run.options.form == ListingForm::json) {
        printJsonFailure(listed.path, listed.member, reason);
    }
    run.noteStatus(trouble);
}

// Why a file's read failed: its reader learns no more than that it did.
std::string inputOutputError() {
    return reasonFor({SystemError::Kind::errnoValue, EIO});
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
    facts.form = facts.isD88() ? "" : form;
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

void listMembers(ListingRun& run, const std::string& path, ArchiveReader& archive) {
    do {
        listMember(run, {path, archive.memberName()}, archive);
    } while (archive.nextMember());
    if (archive.failed()) {
        reportUnreadable(run, {path, ""}, archive.why());
    }
}
}  // namespace

void listFile(ListingRun& run, const std::string& path) {
    SystemError why;
    std::unique_ptr<ByteSource> source = openOperand(path.c_str(), why, run.opener);
    if (!source) {
        reportUnreadable(run, {path, ""}, reasonFor(why));
        return;
    }
    ArchiveReader archive(*source);
    switch (archive.open()) {
    case ArchiveReader::Kind::plainFile:
        listSource(run, {path, ""}, std::move(source), pathOfOperand(path.c_str()),
                   inputOutputError);
        break;
    case ArchiveReader::Kind::compressedFile:
        listMember(run, {path, ""}, archive);
        break;
    case ArchiveReader::Kind::archive:
        listMembers(run, path, archive);
        break;
    case ArchiveReader::Kind::unreadable:
        reportUnreadable(run, {path, ""}, archive.why());
        break;
    }
}
