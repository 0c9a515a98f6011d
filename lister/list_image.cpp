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
#include "lister/folder_walk.h"
#include "lister/gather_facts.h"
#include "lister/json_listing.h"
#include "lister/list_messages.h"
#include "names/listed_names.h"
#include "names/path_text.h"
#include "names/system_name_form.h"
#include "lister/listing_options.h"
#include "lister/short_listing.h"
#include "lister/text_listing.h"

namespace {
constexpr ProgramTexts listerTexts = {listerName, listerUsageLine, listerArguments};
enum ListerOption {
    utf8Option,
    escapedOption,
    shortOption,
    jsonOption,
    hashOption,
    rawOption,
    recursiveOption
};
const std::vector<OptionEntry> listerOptions = {{utf8Option, 0, "utf8", false},
                                               {escapedOption, 0, "escaped", false},
                                               {shortOption, 0, "short", false},
                                               {jsonOption, 0, "json", false},
                                               {hashOption, 0, "hash", false},
                                               {rawOption, 0, "raw", false},
                                               {recursiveOption, 'r', "recursive", false}};

// The exit statuses, from best to worst: the run ends with the worst it met.
enum ListerStatus { allD88 = 0, someNotD88 = 1, trouble = 2 };

// One run over its images: the options, whether each listing is headed by its
// path, and the worst status so far.
struct Run {
    ListingOptions options;
    bool headings = false;
    int listed = 0;
    int status = allD88;

    void noteStatus(int found) { status = found > status ? found : status; }
};

GatherWants wantsOf(const ListingOptions& options) {
    GatherWants wants;
    wants.hashes = options.form != ListingForm::text || options.hashes;
    wants.disksOfNonImages = options.raw;
    return wants;
}

void render(Run& run, const ImageFacts& facts) {
    switch (run.options.form) {
    case ListingForm::text:
        if (run.headings) {
            std::printf("%s%s:\n", run.listed > 0 ? "\n" : "", pathForLine(facts.path).c_str());
        }
        printTextListing(facts, run.options);
        break;
    case ListingForm::summary:
        printShortListing(facts);
        if (!facts.isD88()) {
            const std::string reason = faultReason(facts.fault, facts.firstSize, facts.firstMedia);
            reportFileProblem(listerName, facts.path, (notD88Prefix + reason).c_str());
        }
        break;
    case ListingForm::json:
        printJsonListing(facts);
        break;
    }
    ++run.listed;
}

void listFile(Run& run, const std::string& path) {
    D88Image image;
    SystemError why;
    if (!openImage(image, path.c_str(), why)) {
        reportFileError(listerName, path, why);
        if (run.options.form == ListingForm::json) {
            printJsonFailure(path, reasonFor(why));
        }
        run.noteStatus(trouble);
        return;
    }
    const ImageFacts facts = gatherFacts(image, path, wantsOf(run.options));
    render(run, facts);
    run.noteStatus(facts.isD88() ? allD88 : someNotD88);
}

void listOperand(Run& run, const std::string& operand) {
    // A file among the folders of -r is listed as itself, as grep -r does.
    if (!run.options.recursive || operand == standardInputOperand || !isFolder(operand)) {
        listFile(run, operand);
        return;
    }
    walkFolder(
        operand, [&run](const std::string& path) { listFile(run, path); },
        [&run](const std::string& path, const std::string& reason) {
            reportFileProblem(listerName, path, reason.c_str());
            run.noteStatus(trouble);
        });
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

int listImage(int argc, char** argv) {
    setProgramName(listerName);
    int status = 0;
    ParsedCommandLine parsed;
    if (!parseCommandLine(argc, argv, listerTexts, listerOptions, parsed, status)) {
        return status == 0 ? 0 : trouble;
    }
    if (parsed.operands.empty()) {
        reportMissingOperand(listerName, listerOperands);
        finishOutput(0);
        return trouble;
    }
    Run run;
    run.options = optionsOf(parsed);
    listNamesAs(listedForm(parsed, run.options.form));
    run.headings = parsed.operands.size() > 1 || run.options.recursive;
    for (const char* operand : parsed.operands) {
        listOperand(run, operand);
    }
    return finishOutput(0) != 0 ? trouble : run.status;
}
