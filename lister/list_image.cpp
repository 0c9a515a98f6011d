#include "lister/list_image.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lister/folder_walk.h"
#include "lister/gather_facts.h"
#include "lister/json_listing.h"
#include "lister/list_messages.h"
#include "lister/listing_options.h"
#include "lister/short_listing.h"
#include "lister/text_listing.h"
#include "tool/command_line.h"
#include "tool/console.h"
#include "tool/messages.h"

namespace {
constexpr ProgramTexts listerTexts = {listerName, listerUsageLine, listerArguments};

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
    wants.disksOfNonImages = options.raw || options.form == ListingForm::json;
    return wants;
}

void reportNotD88(const ImageFacts& facts) {
    printErrorFormatted("%s: %s: %s%s\n", listerName, facts.path.c_str(), notD88Prefix,
                        faultReason(facts.fault, facts.firstSize, facts.firstMedia).c_str());
}

void render(Run& run, const ImageFacts& facts) {
    switch (run.options.form) {
    case ListingForm::text:
        if (run.headings) {
            std::printf("%s%s:\n", run.listed > 0 ? "\n" : "", facts.path.c_str());
        }
        printTextListing(facts, run.options);
        break;
    case ListingForm::summary:
        printShortListing(facts);
        if (!facts.isD88()) {
            reportNotD88(facts);
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
    if (!image.open(path.c_str())) {
        printError(cannotOpenMessage);
        if (run.options.form == ListingForm::json) {
            printJsonFailure(path, "cannot be opened");
        }
        run.noteStatus(trouble);
        return;
    }
    const ImageFacts facts = gatherFacts(image, path, wantsOf(run.options));
    render(run, facts);
    run.noteStatus(facts.isD88() ? allD88 : someNotD88);
}

void listOperand(Run& run, const std::string& operand) {
    if (!run.options.recursive) {
        listFile(run, operand);
        return;
    }
    walkFolder(
        operand, [&run](const std::string& path) { listFile(run, path); },
        [&run](const std::string& path, const std::string& reason) {
            printErrorFormatted("%s: %s: %s\n", listerName, path.c_str(), reason.c_str());
            run.noteStatus(trouble);
        });
}

// Reads the options; false when the command line is wrong.
bool readOptions(int argc, char** argv, Run& run, std::vector<std::string>& operands) {
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (optionsEnd || argument[0] != '-' || std::strcmp(argument, "-") == 0) {
            operands.push_back(argument);
        } else if (std::strcmp(argument, "--") == 0) {
            optionsEnd = true;
        } else if (std::strcmp(argument, "--short") == 0) {
            run.options.form = ListingForm::summary;
        } else if (std::strcmp(argument, "--json") == 0) {
            run.options.form = ListingForm::json;
        } else if (std::strcmp(argument, "--hash") == 0) {
            run.options.hashes = true;
        } else if (std::strcmp(argument, "--raw") == 0) {
            run.options.raw = true;
        } else if (std::strcmp(argument, "-r") == 0 || std::strcmp(argument, "--recursive") == 0) {
            run.options.recursive = true;
        } else {
            return false;
        }
    }
    return !operands.empty();
}
}  // namespace

int listImage(int argc, char** argv) {
    int status = 0;
    if (argc == 2 && answerOptions(argc, argv, listerTexts, noDashOperand, status)) {
        return status;
    }
    Run run;
    std::vector<std::string> operands;
    if (!readOptions(argc, argv, run, operands)) {
        printError(listerUsageLine);
        finishOutput(0);
        return trouble;
    }
    run.headings = operands.size() > 1 || run.options.recursive;
    for (const std::string& operand : operands) {
        listOperand(run, operand);
    }
    return finishOutput(0) != 0 ? trouble : run.status;
}
