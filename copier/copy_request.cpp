#include "copier/copy_request.h"

#include <algorithm>
#include <vector>

#include "companion/command_line.h"
#include "companion/console.h"
#include "companion/diagnostics.h"
#include "companion/name_form_option.h"
#include "companion/wildcards.h"
#include "names/escapes.h"
#include "names/shown_names.h"
#include "copier/copy_messages.h"

namespace {
constexpr ProgramTexts copierTexts = {copierName, copyUsageLine, copyArguments, copyHelpColumn};
enum CopierOption {
    noClobberOption,
    forceOption,
    targetFolderOption,
    utf8Option,
    escapedOption
};
// In the order --help lists them.
constexpr OptionEntry copierOptions[] = {
    {targetFolderOption, 't', "target-directory", "FOLDER", "copy into FOLDER"},
    {noClobberOption, 'n', "no-clobber", nullptr, "leave existing files alone (each is named)"},
    {forceOption, 'f', "force", nullptr, "replace files you could not write to (read-only ones)"},
    {utf8Option, 0, "utf8", nullptr, "name the files written with UTF-8 for Japanese names"},
    {escapedOption, 0, "escaped", nullptr,
     "name them with %XX for every byte that is not plain ASCII\n"
     "(default: --utf8 in a UTF-8 locale and on Windows)"},
};
constexpr int32_t largestDiskNumber = 0x7FFFFFFF;

// Decimal digits only; a number too large for any image stays out of range.
bool parseDiskNumber(const char* text, int32_t& disk) {
    int64_t value = 0;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at < '0' || *at > '9') {
            return false;
        }
        value = std::min<int64_t>(value * 10 + (*at - '0'), largestDiskNumber);
    }
    disk = static_cast<int32_t>(value);
    return *text != '\0';
}

// Checks the operands' count and the disk number; says what is wrong.
bool takeOperands(const std::vector<const char*>& operands, CopyRequest& request) {
    std::size_t largest = request.targetFolder != nullptr ? 3 : 4;
    const char* expected = request.targetFolder != nullptr ? copyOperandsWithFolder : copyOperands;
    if (operands.size() < 2) {
        failMissingOperand(expected);
        return false;
    }
    if (operands.size() > largest) {
        failExtraOperand(operands[largest], expected);
        return false;
    }
    if (!parseDiskNumber(operands[1], request.disk)) {
        failInvalidArgument(diskNumberWhat, operands[1], diskNumberExpected);
        return false;
    }
    request.diskText = operands[1];
    request.name = operands.size() > 2 ? operands[2] : nullptr;
    request.output = operands.size() > 3 ? operands[3] : nullptr;
    return true;
}

// IMAGE as a wildcard (on Windows) must match one file, which it then is.
bool takeImage(const ParsedCommandLine& parsed, const char* operand, CopyRequest& request) {
    request.image = operand;
    if (!parsed.isWildcard(operand)) {
        return true;
    }
    SystemError why;
    const std::vector<std::string> matches = expandWildcard(operand, why);
    if (matches.size() == 1) {
        request.image = matches[0];
    } else if (matches.empty()) {
        fail(operand, reasonNothingMatched(why).c_str());
    } else {
        fail(operand, formatted(severalImagesFormat, static_cast<int>(matches.size())));
    }
    return matches.size() == 1;
}

// Copies go into one folder, as with cp.
bool oneTargetFolder(const ParsedCommandLine& parsed) {
    if (parsed.count(targetFolderOption) > 1) {
        fail(multipleTargetFolders);
        return false;
    }
    return true;
}
}  // namespace

std::string copyHelp() {
    return helpOf(copierTexts, copierOptions);
}

bool readCopyRequest(int argc, char** argv, CopyRequest& request, int& status) {
    ParsedCommandLine parsed;
    if (!parseCommandLine(argc, argv, copierTexts, copierOptions, parsed, status)) {
        return false;
    }
    request.noClobber = parsed.has(noClobberOption);
    request.force = parsed.has(forceOption);
    request.targetFolder = parsed.valueOf(targetFolderOption);
    request.writtenNames = chosenNameForm(parsed, utf8Option, escapedOption, systemNameForm());
    if (!oneTargetFolder(parsed) || !takeOperands(parsed.operands, request) ||
        !takeImage(parsed, parsed.operands[0], request)) {
        status = finishOutput(1);
        return false;
    }
    return true;
}
