#include "copier/copy_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "common/quoted_text.h"
#include "companion/command_line.h"
#include "common/work_buffer.h"
#include "copier/copy_messages.h"
#include "copier/output_names.h"
#include "gamefs/game_fs.h"
#include "tool/console.h"
#include "tool/damage_report.h"
#include "tool/disk_image.h"
#include "tool/disk_roles.h"
#include "tool/messages.h"
#include "tool/output_file.h"

namespace {
constexpr ProgramTexts copierTexts = {copierName, copyUsageLine, copyArguments};
constexpr int32_t largestDiskNumber = 0x7FFFFFFF;

struct CopyRequest {
    const char* image = nullptr;
    const char* diskText = nullptr;
    int32_t disk = 0;                // 1-based
    const char* name = nullptr;      // as quelt-ls prints it; none: every file
    const char* output = nullptr;    // none: named for the file
};

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

bool parseRequest(const std::vector<const char*>& operands, CopyRequest& request) {
    std::size_t count = operands.size();
    if (count < 2 || count > 4 || !parseDiskNumber(operands[1], request.disk)) {
        return false;
    }
    request.image = operands[0];
    request.diskText = operands[1];
    request.name = count > 2 ? operands[2] : nullptr;
    request.output = count > 3 ? operands[3] : nullptr;
    return true;
}

void writeToStandardOutput(int32_t size) {
#ifdef _WIN32
    // The bytes go out as they are: a text stream would turn each 0x0A into CR LF.
    // (Elsewhere standard output has no text mode.)
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // A failure shows when the run ends and checks standard output.
    std::fwrite(workBuffer, 1, static_cast<std::size_t>(size), stdout);
}

// The file of entry `index`, as it lies in a zero-filled workBuffer after its
// load, to `output`; warns under `shownName` when some of it could not be read.
void copyEntry(std::size_t index, const char* output, const char* shownName) {
    std::memset(workBuffer, 0, sizeof workBuffer);
    LoadResult loaded = loadEntry(diskImage, index);
    if (std::strcmp(output, standardOutputName) == 0) {
        writeToStandardOutput(loaded.size);
    } else {
        writeOutputFile(output, workBuffer, loaded.size);
    }
    if (!loaded.complete) {
        reportDamaged(shownName);
    }
}

void copyWholeDisk() {
    OutputNames outputs;
    for (std::size_t i = 0; i < directoryEntries; ++i) {
        const DirectoryEntry& entry = directoryTable[i];
        if (!entryInUse(entry)) {
            continue;
        }
        std::string output = outputs.claim(outputNameFor(entryName(entry)));
        std::printf(copyingFormat, quotedText(entry.name, entryNameBytes).c_str(), output.c_str());
        copyEntry(i, output.c_str(), output.c_str());
    }
}

int copyOneFile(const CopyRequest& request) {
    std::string wanted = bytesOfQuotedName(request.name);
    // An empty name would match an unused entry; a 0 byte would end the name early.
    bool possible = !wanted.empty() && wanted.find('\0') == std::string::npos;
    int32_t index = possible ? findEntryToLoad(wanted.c_str()) : -1;
    if (index < 0) {
        printErrorFormatted(noSuchFileFormat, request.disk, request.name);
        return 1;
    }
    std::string output = request.output != nullptr ? request.output : outputNameFor(wanted);
    bool toStandardOutput = output == standardOutputName;
    copyEntry(static_cast<std::size_t>(index), output.c_str(),
              toStandardOutput ? request.name : output.c_str());
    return 0;
}

int copyAsRequested(const CopyRequest& request) {
    if (!diskImage.open(request.image)) {
        printError(cannotOpenMessage);
        return 1;
    }
    if (request.disk < 1 || request.disk > diskImage.diskCount()) {
        printErrorFormatted(noSuchDiskFormat, request.diskText, diskImage.diskCount());
        return 1;
    }
    // The same rule as quelt's: a disk lists files only when both its directory
    // and its allocation table could be read whole.
    if (!selectForReading(diskImage, request.disk - 1) || !loadDirectory(diskImage)) {
        printErrorFormatted(unreadableDirectoryFormat, request.disk);
        return 1;
    }
    if (request.name == nullptr && directoryHoldsOnlyFill()) {
        // Another system's disk: its 48 fill entries are no files to copy.
        printErrorFormatted(onlyFillFormat, request.disk);
        return 1;
    }
    if (request.name == nullptr && usedEntryCount() == 0) {
        printErrorFormatted(noUsedEntryFormat, request.disk);
    } else if (request.name == nullptr) {
        copyWholeDisk();
    } else if (copyOneFile(request) != 0) {
        return 1;
    }
    return anyOutputDamaged() ? 1 : 0;
}
}  // namespace

int runCopy(int argc, char** argv) {
    int status = 0;
    ParsedCommandLine parsed;
    if (!parseCommandLine(argc, argv, copierTexts, {}, parsed, status)) {
        return status;
    }
    CopyRequest request;
    if (!parseRequest(parsed.operands, request)) {
        printError(copyUsageLine);
        return finishOutput(1);
    }
    return finishOutput(copyAsRequested(request));
}
