#include "copier/copy_files.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "common/plural.h"
#include "common/work_buffer.h"
#include "companion/console.h"
#include "companion/diagnostics.h"
#include "companion/file_kind.h"
#include "names/shown_names.h"
#include "copier/copy_messages.h"
#include "copier/copy_request.h"
#include "copier/copy_writer.h"
#include "copier/destination.h"
#include "copier/file_selection.h"
#include "copier/image_operand.h"
#include "copier/temporary_name.h"
#include "names/escapes.h"
#include "names/written_names.h"
#include "gamefs/game_fs.h"
#include "recognition/disk_verdict.h"
#include "recognition/header_check.h"

namespace {
// One run of quelt-cp: what its command line asks for and the image it reads,
// which no copy may write over.
struct CopyRun {
    CopyRequest request;
    D88Image image;
    CopyWriter* writer = nullptr;  // where its copies go
};

// How one copy went: the run goes on after a damaged or skipped file and stops
// at the first that cannot be written.
enum class CopyOutcome { copied, damaged, failed };

// Another descriptor than standard output's, written straight; false, having
// said why, when it cannot be written.
bool writeToDescriptor(int descriptor, const std::string& target, int32_t size) {
#ifdef _WIN32
    (void)descriptor;
    (void)size;
    fail(target, {SystemError::Kind::errnoValue, EBADF});
    return false;
#else
    flushOutput();
    for (int32_t done = 0; done < size;) {
        const ssize_t wrote =
            ::write(descriptor, workBuffer + done, static_cast<std::size_t>(size - done));
        if (wrote < 0 && errno != EINTR) {
            fail(target, lastErrnoError());
            return false;
        }
        done += wrote > 0 ? static_cast<int32_t>(wrote) : 0;
    }
    return true;
#endif
}

void writeToStandardOutput(int32_t size) {
    flushOutput();
#ifdef _WIN32
    // The bytes go out as they are: a text stream would turn each 0x0A into CR LF.
    // (Elsewhere standard output has no text mode.)
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // A failure shows when the run ends and checks standard output.
    std::fwrite(workBuffer, 1, static_cast<std::size_t>(size), stdout);
}

// The folder a temporary file for `target` goes into, as messages name it.
std::string folderShownFor(const std::string& target) {
    std::string folder = folderPartOf(target);
    if (folder.size() > 1) {
        folder.pop_back();  // its final separator
    }
    return folder.empty() ? "." : folder;
}

// Whether a failure to make a file says that its folder is not there, which
// is the target's own failure, as cp names it.
bool folderMissing(const SystemError& error) {
#ifdef _WIN32
    if (error.kind == SystemError::Kind::windowsCode) {
        return error.code == ERROR_PATH_NOT_FOUND;
    }
#endif
    return error.kind == SystemError::Kind::errnoValue &&
           (error.code == ENOENT || error.code == ENOTDIR);
}

void reportWriteFailure(const std::string& target, const CopyWriteResult& result) {
    if (result.problem != nullptr) {
        fail(target, result.problem);
    } else if (result.noTemporary && !folderMissing(result.error)) {
        const std::string problem = noTemporaryProblem + reasonFor(result.error);
        fail(folderShownFor(target), problem.c_str());
    } else {
        fail(target, result.error);
    }
}

bool writeToFile(const std::string& target, int32_t size, const CopyRun& run) {
    CopyWriteOptions options;
    options.force = run.request.force;
    options.image = &run.image;
    const CopyWriteResult result = run.writer->write(target, workBuffer, size, options);
    if (!result.written) {
        reportWriteFailure(target, result);
    } else if (result.otherLinks > 0) {
        warn(target, formatted(otherLinksFormat, result.otherLinks));
    }
    return result.written;
}

// The file of entry `index`, as it lies in a zero-filled workBuffer after its
// load, to `target`, or the open `descriptor` it names when that is not -1. A
// warning names the disk's file in the form of the names written
// (`request`'s), as the "copying" lines do.
CopyOutcome copyEntry(std::size_t index, const std::string& target, int descriptor,
                      CopyRun& run) {
    std::memset(workBuffer, 0, sizeof workBuffer);
    LoadResult loaded = loadEntry(run.image, index, workBuffer);
    if (descriptor == 1) {
        writeToStandardOutput(loaded.size);
    } else if (descriptor >= 0 ? !writeToDescriptor(descriptor, target, loaded.size)
                               : !writeToFile(target, loaded.size, run)) {
        return CopyOutcome::failed;
    }
    if (loaded.complete) {
        return CopyOutcome::copied;
    }
    const std::string shown =
        listedName(directoryTable[index].name, entryNameBytes, run.request.writtenNames);
    fail(target, formatted(damagedCopyFormat, shown.c_str()));
    return CopyOutcome::damaged;
}

// Several files need a folder; one may go anywhere.
bool destinationHolds(const Destination& destination, std::size_t files) {
    if (destination.kind == Destination::Kind::folder || files <= 1) {
        return true;
    }
    fail(destination.path, formatted(notAFolderFormat, static_cast<int>(files)));
    return false;
}

// Copies each entry to its target; returns the run's exit status.
int copyEntries(CopyRun& run, const Destination& destination,
                const std::vector<std::size_t>& entries) {
    const CopyRequest& request = run.request;
    OutputNames outputs;
    bool anyDamaged = false;
    for (std::size_t index : entries) {
        const DirectoryEntry& entry = directoryTable[index];
        std::string target = destination.path;
        if (destination.kind == Destination::Kind::folder) {
            target = destination.inFolder(
                outputs.claim(writtenNameFor(entryName(entry), request.writtenNames)));
        }
        if (request.noClobber && destination.kind != Destination::Kind::standardOutput &&
            nameTaken(target)) {
            fail(target, notOverwrittenFormat);
            continue;
        }
        bool toStandardOutput = destination.kind == Destination::Kind::standardOutput;
        if (mayCopySeveral(request) && !toStandardOutput) {
            std::string shown = listedName(entry.name, entryNameBytes, request.writtenNames);
            printOutput(copyingFormat, shown.c_str(), pathForLine(target).c_str());
        }
        CopyOutcome outcome = copyEntry(index, target, destination.descriptor, run);
        if (outcome == CopyOutcome::failed) {
            return 1;
        }
        anyDamaged = anyDamaged || outcome == CopyOutcome::damaged;
    }
    return anyDamaged ? 1 : 0;
}

// Whether the image is one a D88 writer made; says why not as quelt-ls does.
bool isD88Image(D88Image& image, const char* operandText, const ImageOperand& operand) {
    const FirstHeader first = checkFirstHeader(image);
    if (first.fault == HeaderFault::none) {
        return true;
    }
    const std::string reason = notD88Reason(operand.form(), first.fault, first.size, first.media);
    fail(operandText, (notD88Prefix + reason).c_str());
    return false;
}

// Whether the disk's files can be looked for: as quelt-ls judges its directory,
// the tables were read and, when every file is asked for, are this file
// system's (another system's entries are no files to copy).
bool copiesFrom(const CopyRequest& request, const DiskVerdict& verdict) {
    const DirectoryVerdict& directory = verdict.directory;
    if (!verdict.headerRead || directory.state == DirectoryState::unreadable) {
        const char* reason = verdict.headerRead ? directory.reason.c_str() : unreadableHeaderReason;
        fail(request.image, formatted(unreadableDirectoryFormat, request.disk, reason));
        return false;
    }
    if (directory.state == DirectoryState::notThisFileSystem &&
        (!directory.tablesRead || request.name == nullptr)) {
        fail(request.image, formatted(foreignDirectoryFormat, request.disk,
                        directory.reason.c_str()));
        return false;
    }
    return true;
}

// Loads disk DISK's directory; says why when it cannot be copied from.
bool loadDisk(const CopyRequest& request, D88Image& image) {
    if (request.disk < 1 || request.disk > image.diskCount()) {
        fail(request.image, formatted(noSuchDiskFormat, request.diskText,
                        counted(image.diskCount(), "disk", "disks").c_str()));
        return false;
    }
    return copiesFrom(request, judgeDisk(image, request.disk - 1, workBuffer));
}

int copyAsRequested(CopyRun& run, ImageOperand& operand) {
    const CopyRequest& request = run.request;
    if (!operand.open(run.image, request.image.c_str())) {
        return 1;
    }
    // A member whose bytes libarchive could not unpack is judged by its reason,
    // never by the bytes before the failure.
    if (!operand.readWell(run.image, request.image.c_str()) ||
        !isD88Image(run.image, request.image.c_str(), operand)) {
        return 1;
    }
    Destination destination;
    if (!loadDisk(request, run.image) || !chooseDestination(request, destination)) {
        return 1;
    }
    if (request.name == nullptr && usedEntryCount() == 0) {
        fail(request.image, formatted(noUsedEntryFormat, request.disk));
        return 0;
    }
    std::vector<std::size_t> entries;
    if (!selectEntries(request, entries) || !destinationHolds(destination, entries.size())) {
        return 1;
    }
    const int copied = copyEntries(run, destination, entries);
    return operand.readWell(run.image, request.image.c_str()) ? copied : 1;
}
}  // namespace

int runCopy(int argc, char** argv, CopyWriter& writer, SourceOpener* opener) {
    int status = 0;
    CopyRun run;
    run.writer = &writer;
    if (!readCopyRequest(argc, argv, run.request, status)) {
        return status;
    }
    ImageOperand operand(opener);
    int copied = copyAsRequested(run, operand);
    // Closed before the operand's archive, whose member it may be reading, and
    // before the process ends, so that Windows can remove the temporary copy.
    run.image.close();
    return finishOutput(copied);
}
