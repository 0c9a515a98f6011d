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
#include "names/escapes.h"
#include "names/shown_names.h"
#include "names/written_names.h"

namespace {
constexpr ProgramTexts joinTexts = {joinerName, joinUsageLine, joinArguments};
enum JoinOption { setOption, outputOption, forceOption, recursiveOption, utf8Option, escapedOption };
// In the order --help lists them.
constexpr OptionEntry joinOptions[] = {
    {recursiveOption, 'r', "recursive", nullptr,
     "every file in the folders IMAGE..., at any depth"},
    {setOption, 0, "set", nullptr,
     "only the demo, main and scenario disk quelt would take from\n"
     "all the disks, written in that order; says which it took"},
    {outputOption, 'o', "output", "OUTPUT", "the file to write, all or nothing, never an input"},
    {forceOption, 'f', "force", nullptr, "replace an OUTPUT you could not write to (read-only)"},
    {utf8Option, 0, "utf8", nullptr,
     "show the disks' Shift_JIS names in UTF-8 (the default in\n"
     "a UTF-8 locale and on Windows)"},
    {escapedOption, 0, "escaped", nullptr,
     "show every byte of a name that is not plain ASCII as \\xNN"}};

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

std::string where(const JoinedDisk& disk, NameForm names) {
    char number[24];
    std::snprintf(number, sizeof number, diskOfFileFormat, static_cast<int>(disk.number));
    return pathForLine(disk.file) + number +
           listedName(reinterpret_cast<const uint8_t*>(disk.name.c_str()), disk.name.size(), names);
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
std::string foundRoles(const std::vector<JoinedDisk>& disks, const SetChoice& choice,
                       NameForm names) {
    std::string found;
    for (const auto& [role, disk] : rolesFound(choice)) {
        found += (found.empty() ? "" : ", ") + std::string(roleText(role)) + " " +
                 where(diskAt(disks, disk), names);
    }
    return found.empty() ? foundNothingText : found;
}

void reportChoice(const std::vector<JoinedDisk>& disks, const SetChoice& choice, NameForm names) {
    for (const auto& [role, disk] : rolesFound(choice)) {
        printDiagnostic(tookFormat, roleText(role), where(diskAt(disks, disk), names).c_str());
    }
    for (const PassedOver& passed : choice.passedOver) {
        printDiagnostic(passedOverFormat, where(diskAt(disks, passed.disk), names).c_str(),
                        passedOverText(passed.role));
    }
}

bool reportMissing(const std::vector<JoinedDisk>& disks, const SetChoice& choice, NameForm names) {
    const std::string missing = choice.main == noSetDisk ? noMainText : noScenarioText;
    const long long count = static_cast<long long>(disks.size());
    fail(missing + foundAmongText + counted(count, "disk", "disks") + ": " +
                                  foundRoles(disks, choice, names));
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
            fail(disk.file, reason);
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
    reportChoice(disks, choice, options.names);
    if (!choice.complete()) {
        return reportMissing(disks, choice, options.names);
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
        fail(target, result.problem);
    } else if (result.noTemporary) {
        const std::string folder = folderPartOf(target);
        const std::string problem = noTemporaryProblem + reasonFor(result.error);
        fail(folder.empty() ? "." : folder, problem.c_str());
    } else {
        fail(target, result.error);
    }
}

// OUTPUT through the all-or-nothing writer quelt-cp writes its copies with.
bool writeOutput(CopyWriter& writer, const std::string& output, const std::vector<uint8_t>& bytes,
                 bool force) {
    CopyWriteOptions options;
    options.force = force;
    const CopyWriteResult result =
        writer.write(output, bytes.data(), static_cast<int32_t>(bytes.size()), options);
    if (!result.written) {
        reportWriteFailure(output, result);
    } else if (result.otherLinks > 0) {
        warn(output, formatted(otherLinksFormat, result.otherLinks));
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
    options.names = chosenNameForm(parsed, utf8Option, escapedOption, systemNameForm());
    return options;
}

bool takeOperands(const ParsedCommandLine& parsed, DiskCollection& collection) {
    bool matched = true;
    const std::vector<std::string> paths =
        operandPaths(parsed, [&matched](const char* wildcard, const std::string& reason) {
            fail(wildcard, reason.c_str());
            matched = false;
        });
    for (const std::string& path : paths) {
        if (!matched || !collection.takeOperand(path)) {
            return false;
        }
    }
    return matched;
}

bool join(const ParsedCommandLine& parsed, CopyWriter& writer, SourceOpener* opener) {
    const JoinOptions options = optionsOf(parsed);
    if (options.output.empty() && outputIsTerminal()) {
        fail(terminalOutputText);
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
    return writeOutput(writer, options.output, bytes, parsed.has(forceOption));
}
}  // namespace

int joinImages(int argc, char** argv, CopyWriter& writer, SourceOpener* opener) {
    int status = 0;
    ParsedCommandLine parsed;
    if (!parseCommandLine(argc, argv, joinTexts, joinOptions, parsed, status)) {
        return status;
    }
    if (parsed.operands.empty()) {
        failMissingOperand(joinOperands);
        return finishOutput(1);
    }
    return finishOutput(join(parsed, writer, opener) ? 0 : 1);
}
