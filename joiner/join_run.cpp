// quelt-join's run: the command line, the disks taken, the image written.
#include "joiner/join_run.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include "common/plural.h"
#include "companion/command_line.h"
#include "companion/console.h"
#include "companion/diagnostics.h"
#include "companion/name_form_option.h"
#include "companion/native_path.h"
#include "companion/text_stream.h"
#include "companion/wildcards.h"
#include "copier/copy_writer.h"
#include "joiner/join_messages.h"
#include "joiner/joined_disks.h"
#include "names/listed_names.h"
#include "names/output_names.h"
#include "names/path_text.h"
#include "names/system_name_form.h"

namespace {
// Where the run under way writes OUTPUT (joinImages' writer).
CopyWriter* outputWriter = nullptr;
constexpr ProgramTexts joinTexts = {joinerName, joinUsageLine, joinArguments};
enum JoinOption { setOption, outputOption, forceOption, recursiveOption, utf8Option, escapedOption };
const std::vector<OptionEntry> joinOptions = {{setOption, 0, "set", false},
                                             {outputOption, 'o', "output", true},
                                             {forceOption, 'f', "force", false},
                                             {recursiveOption, 'r', "recursive", false},
                                             {utf8Option, 0, "utf8", false},
                                             {escapedOption, 0, "escaped", false}};

// A terminal shows bytes, and would be sent control codes: the image goes to a
// file or a pipe only. On Windows the console is asked itself, since NUL is a
// character device as a console is.
bool outputIsTerminal() {
#ifdef _WIN32
    return consoleOf(stdout) != nullptr;
#else
    return isatty(STDOUT_FILENO) != 0;
#endif
}

std::string where(const JoinedDisk& disk) {
    char number[24];
    std::snprintf(number, sizeof number, diskOfFileFormat, static_cast<int>(disk.number));
    return pathForLine(disk.file) + number +
           listedNameOf(reinterpret_cast<const uint8_t*>(disk.name.c_str()), disk.name.size());
}

const char* roleText(SetRole role) {
    return role == SetRole::demo ? demoRoleText
                                 : role == SetRole::main ? mainRoleText : scenarioRoleText;
}

const char* passedOverText(SetRole role) {
    return role == SetRole::demo ? earlierDemoText
                                 : role == SetRole::main ? laterMainText : laterScenarioText;
}

const JoinedDisk& diskAt(const std::vector<JoinedDisk>& disks, int32_t index) {
    return disks[static_cast<std::size_t>(index)];
}

// Each role the choice found a disk for, in the order they are said.
std::vector<std::pair<SetRole, int32_t>> rolesFound(const SetChoice& choice) {
    std::vector<std::pair<SetRole, int32_t>> found;
    for (const auto& role : {std::make_pair(SetRole::demo, choice.demo),
                             std::make_pair(SetRole::main, choice.main),
                             std::make_pair(SetRole::scenario, choice.scenario)}) {
        if (role.second != noSetDisk) {
            found.push_back(role);
        }
    }
    return found;
}

// "demo disk x.zip/a.d88 disk 1 "DEMO", main disk ..." for each role found.
std::string foundRoles(const std::vector<JoinedDisk>& disks, const SetChoice& choice) {
    std::string found;
    for (const auto& [role, disk] : rolesFound(choice)) {
        found += (found.empty() ? "" : ", ") + std::string(roleText(role)) + " " +
                 where(diskAt(disks, disk));
    }
    return found.empty() ? foundNothingText : found;
}

void reportChoice(const std::vector<JoinedDisk>& disks, const SetChoice& choice) {
    for (const auto& [role, disk] : rolesFound(choice)) {
        printDiagnostic(tookFormat, roleText(role), where(diskAt(disks, disk)).c_str());
    }
    for (const PassedOver& passed : choice.passedOver) {
        printDiagnostic(passedOverFormat, where(diskAt(disks, passed.disk)).c_str(),
                        passedOverText(passed.role));
    }
}

bool reportMissing(const std::vector<JoinedDisk>& disks, const SetChoice& choice) {
    const std::string missing = choice.main == noSetDisk ? noMainText : noScenarioText;
    const long long count = static_cast<long long>(disks.size());
    reportProblem(joinerName, missing + foundAmongText + counted(count, "disk", "disks") + ": " +
                                  foundRoles(disks, choice));
    return false;
}

// A disk of the set that its file cuts short cannot be joined whole.
bool setDisksWhole(const std::vector<JoinedDisk>& disks, const std::vector<int32_t>& order) {
    for (int32_t index : order) {
        const JoinedDisk& disk = diskAt(disks, index);
        if (disk.missing > 0) {
            char reason[256];
            std::snprintf(reason, sizeof reason, cutShortFormat, static_cast<long long>(disk.number),
                          counted(disk.missing, "byte", "bytes").c_str());
            reportFileProblem(joinerName, disk.file, reason);
            return false;
        }
    }
    return true;
}

// The disks to write, in order: with --set the set's, else every disk taken.
bool writtenOrder(const JoinOptions& options, const DiskCollection& collection,
                  std::vector<int32_t>& order) {
    const std::vector<JoinedDisk>& disks = collection.disks();
    if (!options.set) {
        for (int32_t d = 0; d < static_cast<int32_t>(disks.size()); ++d) {
            order.push_back(d);
        }
        return true;
    }
    const SetChoice choice = collection.setChoice();
    reportChoice(disks, choice);
    if (!choice.complete()) {
        return reportMissing(disks, choice);
    }
    order = choice.order;
    int64_t size = 0;
    for (int32_t index : order) {
        size += diskAt(disks, index).size;
    }
    return setDisksWhole(disks, order) && fitsOneImage(static_cast<int64_t>(order.size()), size);
}

std::vector<uint8_t> joinedBytes(const std::vector<JoinedDisk>& disks,
                                 const std::vector<int32_t>& order) {
    std::vector<uint8_t> bytes;
    for (int32_t index : order) {
        const std::vector<uint8_t>& disk = diskAt(disks, index).bytes;
        bytes.insert(bytes.end(), disk.begin(), disk.end());
    }
    return bytes;
}

void reportWriteFailure(const std::string& target, const CopyWriteResult& result) {
    if (result.problem != nullptr) {
        reportFileProblem(joinerName, target, result.problem);
    } else if (result.noTemporary) {
        const std::string folder = folderPartOf(target);
        const std::string problem = noTemporaryProblem + reasonFor(result.error);
        reportFileProblem(joinerName, folder.empty() ? "." : folder, problem.c_str());
    } else {
        reportFileError(joinerName, target, result.error);
    }
}

// OUTPUT through the all-or-nothing writer quelt-cp writes its copies with.
bool writeOutput(const std::string& output, const std::vector<uint8_t>& bytes, bool force) {
    CopyWriteOptions options;
    options.force = force;
    const CopyWriteResult result =
        outputWriter->write(output, bytes.data(), static_cast<int32_t>(bytes.size()), options);
    if (!result.written) {
        reportWriteFailure(output, result);
    } else if (result.otherLinks > 0) {
        printDiagnostic(otherLinksFormat, pathForLine(output).c_str(), result.otherLinks);
    }
    return result.written;
}

void writeStandardOutput(const std::vector<uint8_t>& bytes) {
    flushOutput();
#ifdef _WIN32
    // The bytes go out as they are: a text stream would turn each 0x0A into CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // A failure shows when the run ends and checks standard output.
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

JoinOptions optionsOf(const ParsedCommandLine& parsed) {
    JoinOptions options;
    options.set = parsed.has(setOption);
    options.recursive = parsed.has(recursiveOption);
    const char* output = parsed.valueOf(outputOption);
    // "-" is standard output, as no -o is.
    const bool named = output != nullptr && std::string(output) != standardOutputName;
    options.output = named ? output : "";
    return options;
}

bool takeOperands(const ParsedCommandLine& parsed, DiskCollection& collection) {
    bool matched = true;
    const std::vector<std::string> paths =
        operandPaths(parsed, [&matched](const char* wildcard, const std::string& reason) {
            reportFileProblem(joinerName, wildcard, reason.c_str());
            matched = false;
        });
    for (const std::string& path : paths) {
        if (!matched || !collection.takeOperand(path)) {
            return false;
        }
    }
    return matched;
}

bool join(const ParsedCommandLine& parsed, SourceOpener* opener) {
    const JoinOptions options = optionsOf(parsed);
    if (options.output.empty() && outputIsTerminal()) {
        reportProblem(joinerName, terminalOutputText);
        return false;
    }
    DiskCollection collection(options, opener);
    std::vector<int32_t> order;
    if (!takeOperands(parsed, collection) || !writtenOrder(options, collection, order)) {
        return false;
    }
    const std::vector<uint8_t> bytes = joinedBytes(collection.disks(), order);
    if (options.output.empty()) {
        writeStandardOutput(bytes);
        return true;
    }
    return writeOutput(options.output, bytes, parsed.has(forceOption));
}
}  // namespace

int joinImages(int argc, char** argv, CopyWriter& writer, SourceOpener* opener) {
    setProgramName(joinerName);
    outputWriter = &writer;
    int status = 0;
    ParsedCommandLine parsed;
    if (!parseCommandLine(argc, argv, joinTexts, joinOptions, parsed, status)) {
        return status;
    }
    if (parsed.operands.empty()) {
        reportMissingOperand(joinerName, joinOperands);
        return finishOutput(1);
    }
    listNamesAs(chosenNameForm(parsed, utf8Option, escapedOption, systemNameForm()));
    return finishOutput(join(parsed, opener) ? 0 : 1);
}
