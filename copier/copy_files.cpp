#include "copier/copy_files.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "common/work_buffer.h"
#include "companion/diagnostics.h"
#include "companion/name_text.h"
#include "copier/copy_messages.h"
#include "copier/copy_request.h"
#include "copier/copy_writer.h"
#include "copier/destination.h"
#include "copier/file_selection.h"
#include "copier/image_operand.h"
#include "copier/output_names.h"
#include "gamefs/game_fs.h"
#include "tool/console/console.h"
#include "tool/writers/disk_image.h"
#include "tool/recognition/disk_roles.h"

namespace {
// How one copy went: the run goes on after a damaged or skipped file and stops
// at the first that cannot be written.
enum class CopyOutcome { copied, damaged, failed };

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

bool writeToFile(const std::string& target, int32_t size) {
    CopyWriteFailure failure;
    if (writeCopy(target, workBuffer, size, failure)) {
        return true;
    }
    if (failure.problem != nullptr) {
        reportFileProblem(copierName, target, failure.problem);
    } else {
        reportFileError(copierName, target, failure.error);
    }
    return false;
}

// The file of entry `index`, as it lies in a zero-filled workBuffer after its
// load, to `target` ("-" standard output).
CopyOutcome copyEntry(std::size_t index, const std::string& target) {
    std::memset(workBuffer, 0, sizeof workBuffer);
    LoadResult loaded = loadEntry(diskImage, index);
    if (target == standardOutputName) {
        writeToStandardOutput(loaded.size);
    } else if (!writeToFile(target, loaded.size)) {
        return CopyOutcome::failed;
    }
    if (loaded.complete) {
        return CopyOutcome::copied;
    }
    std::string shown = listedName(directoryTable[index].name, entryNameBytes, NameForm::escaped);
    printErrorFormatted(damagedCopyFormat, target.c_str(), shown.c_str());
    return CopyOutcome::damaged;
}

// Several files need a folder; one may go anywhere.
bool destinationHolds(const Destination& destination, std::size_t files) {
    if (destination.kind == Destination::Kind::folder || files <= 1) {
        return true;
    }
    printErrorFormatted(notAFolderFormat, destination.path.c_str(), static_cast<int>(files));
    return false;
}

// Copies each entry to its target; returns the run's exit status.
int copyEntries(const CopyRequest& request, const Destination& destination,
                const std::vector<std::size_t>& entries) {
    OutputNames outputs;
    bool anyDamaged = false;
    for (std::size_t index : entries) {
        const DirectoryEntry& entry = directoryTable[index];
        std::string target = destination.path;
        if (destination.kind == Destination::Kind::folder) {
            target = destination.inFolder(
                outputs.claim(outputNameFor(entryName(entry), request.writtenNames)));
        }
        if (request.noClobber && destination.kind != Destination::Kind::standardOutput &&
            nameTaken(target)) {
            printErrorFormatted(notOverwrittenFormat, target.c_str());
            continue;
        }
        bool toStandardOutput = destination.kind == Destination::Kind::standardOutput;
        if (mayCopySeveral(request) && !toStandardOutput) {
            std::string shown = listedName(entry.name, entryNameBytes, request.writtenNames);
            std::printf(copyingFormat, shown.c_str(), target.c_str());
        }
        CopyOutcome outcome = copyEntry(index, target);
        if (outcome == CopyOutcome::failed) {
            return 1;
        }
        anyDamaged = anyDamaged || outcome == CopyOutcome::damaged;
    }
    return anyDamaged ? 1 : 0;
}

// Loads disk DISK's directory; says why when it cannot be copied from.
bool loadDisk(const CopyRequest& request) {
    if (request.disk < 1 || request.disk > diskImage.diskCount()) {
        printErrorFormatted(noSuchDiskFormat, request.diskText, diskImage.diskCount());
        return false;
    }
    // The same rule as quelt's: a disk lists files only when both its directory
    // and its allocation table could be read whole.
    if (!selectForReading(diskImage, request.disk - 1) || !loadDirectory(diskImage)) {
        printErrorFormatted(unreadableDirectoryFormat, request.disk);
        return false;
    }
    if (request.name == nullptr && directoryHoldsOnlyFill()) {
        // Another system's disk: its 48 fill entries are no files to copy.
        printErrorFormatted(onlyFillFormat, request.disk);
        return false;
    }
    return true;
}

int copyAsRequested(const CopyRequest& request, ImageOperand& operand) {
    if (!operand.open(diskImage, request.image)) {
        return 1;
    }
    Destination destination;
    if (!loadDisk(request) || !chooseDestination(request, destination)) {
        return 1;
    }
    if (request.name == nullptr && usedEntryCount() == 0) {
        printErrorFormatted(noUsedEntryFormat, request.disk);
        return 0;
    }
    std::vector<std::size_t> entries;
    if (!selectEntries(request, entries) || !destinationHolds(destination, entries.size())) {
        return 1;
    }
    const int copied = copyEntries(request, destination, entries);
    return operand.readWell(diskImage, request.image) ? copied : 1;
}
}  // namespace

int runCopy(int argc, char** argv, SourceOpener* opener) {
    int status = 0;
    CopyRequest request;
    if (!readCopyRequest(argc, argv, request, status)) {
        return status;
    }
    ImageOperand operand(opener);
    int copied = copyAsRequested(request, operand);
    // Closed before the operand's archive, whose member it may be reading, and
    // before the process ends, so that Windows can remove the temporary copy.
    diskImage.close();
    return finishOutput(copied);
}
