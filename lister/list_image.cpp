// quelt-ls's run: the command line, the images one by one, the exit status.
#include "lister/list_image.h"

#include <cstdio>
#include <string>
#include <vector>

#include "companion/command_line.h"
#include "companion/console.h"
#include "companion/diagnostics.h"
#include "companion/image_input.h"
#include "companion/name_form_option.h"
#include "companion/wildcards.h"
#include "lister/folder_walk.h"
#include "lister/list_file.h"
#include "lister/list_messages.h"
#include "lister/listing_options.h"
#include "lister/parallel_listing.h"
#include "names/escapes.h"
#include "names/shown_names.h"

namespace {
constexpr ProgramTexts listerTexts = {listerName, listerUsageLine, listerArguments};
enum ListerOption {
    utf8Option,
    escapedOption,
    shortOption,
    jsonOption,
    hashOption,
    rawOption,
    recursiveOption,
    jobsOption
};
// In the order --help lists them.
constexpr OptionEntry listerOptions[] = {
    {recursiveOption, 'r', "recursive", nullptr,
     "list every file in the folders IMAGE..., at any depth, and\n"
     "every member of each archive among them"},
    {jobsOption, 'j', "jobs", "N",
     "list N files at once (default: one per core); the output is\n"
     "the same, in the order of the files"},
    {shortOption, 0, "short", nullptr,
     "one line per disk, tab-separated: PATH DISK ROLE NAME SIZE\n"
     "SHA1 WHOLE"},
    {jsonOption, 0, "json", nullptr, "one JSON object per file (JSON Lines), hashes included"},
    {hashOption, 0, "hash", nullptr,
     "add the CRC32, MD5 and SHA-1 of files, disks and their files"},
    {rawOption, 0, "raw", nullptr,
     "list entries of other systems' directories, disks of non-images"},
    {utf8Option, 0, "utf8", nullptr,
     "show the names' Shift_JIS characters in UTF-8 (the text\n"
     "listing's default in a UTF-8 locale and on Windows)"},
    {escapedOption, 0, "escaped", nullptr,
     "show every byte of a name that is not plain ASCII as \\xNN"}};

void listOperand(const ListingRun& run, ParallelListing& listing, const std::string& operand) {
    const auto listPath = [](const std::string& path) {
        return [path](ListingRun& on) { listFile(on, path); };
    };
    // A file among the folders of -r is listed as itself, as grep -r does.
    if (!run.options.recursive || operand == standardInputOperand || !isFolder(operand)) {
        listing.add(listPath(operand));
        return;
    }
    walkFolder(
        operand, [&](const std::string& path) { listing.add(listPath(path)); },
        [&listing](const std::string& path, const std::string& reason) {
            listing.add([path, reason](ListingRun& on) {
                on.text.fail(path, reason);
                on.noteStatus(trouble);
            });
        });
}

// How many threads list the files: one where there is one file to list, or
// the fuzz targets' one image in memory.
int jobsFor(const ListingRun& run, int asked) {
    return run.headings && run.opener == nullptr ? asked : 1;
}

// The last of --utf8 and --escaped wins. Without either, the text listing, for
// people, follows the system (decoded in a UTF-8 locale and on Windows); --short
// and --json, for scripts, are escaped everywhere.
NameForm listedForm(const ParsedCommandLine& parsed, ListingForm form) {
    const NameForm otherwise = form == ListingForm::text ? systemNameForm() : NameForm::escaped;
    return chosenNameForm(parsed, utf8Option, escapedOption, otherwise);
}

ListingOptions optionsOf(const ParsedCommandLine& parsed) {
    ListingOptions options;
    for (const GivenOption& given : parsed.options) {
        // The last of --short and --json given wins, as with other tools' forms.
        if (given.id == shortOption || given.id == jsonOption) {
            options.form = given.id == shortOption ? ListingForm::summary : ListingForm::json;
        }
    }
    options.hashes = parsed.has(hashOption);
    options.raw = parsed.has(rawOption);
    options.recursive = parsed.has(recursiveOption);
    return options;
}
}  // namespace

std::string listerHelp() {
    return helpOf(listerTexts, listerOptions);
}

int listImage(int argc, char** argv, SourceOpener* opener) {
    int status = 0;
    ParsedCommandLine parsed;
    if (!parseCommandLine(argc, argv, listerTexts, listerOptions, parsed, status)) {
        return status == 0 ? 0 : trouble;
    }
    if (parsed.operands.empty()) {
        failMissingOperand(listerOperands);
        finishOutput(0);
        return trouble;
    }
    const int jobs = listingJobsOf(parsed.valueOf(jobsOption));
    if (jobs == 0) {
        const std::string expected = listerJobsExpected + std::to_string(maxListingJobs);
        failInvalidArgument("number of jobs", parsed.valueOf(jobsOption), expected.c_str());
        return trouble;
    }
    ListingRun run;
    run.opener = opener;
    run.options = optionsOf(parsed);
    if (run.options.form == ListingForm::json) {
        keepOutputInUtf8();
    }
    run.options.names = listedForm(parsed, run.options.form);
    const std::vector<std::string> paths =
        operandPaths(parsed, [&run](const char* wildcard, const std::string& reason) {
            run.text.fail(wildcard, reason);
            run.noteStatus(trouble);
        });
    run.headings = parsed.operands.size() > 1 || paths.size() > 1 || run.options.recursive;
    ParallelListing listing(run, jobsFor(run, jobs));
    for (const std::string& path : paths) {
        listOperand(run, listing, path);
    }
    listing.finish();
    return finishOutput(0) != 0 ? trouble : run.status;
}
