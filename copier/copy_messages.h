#ifndef QUELT_COPIER_COPY_MESSAGES_H
#define QUELT_COPIER_COPY_MESSAGES_H

// What quelt-cp says. Standard error, plain ASCII: companion/diagnostics.h's
// fail and warn write each line "quelt-cp: FILE: REASON", a reason below or,
// for a failure of the system (a file that cannot be opened or written,
// standard output), the system's.
constexpr char copierName[] = "quelt-cp";
// Standard output for --help, with the arguments' lines after it and then the
// options' (copier/copy_request.cpp).
constexpr char copyUsageLine[] =
    "Usage: quelt-cp [OPTION]... IMAGE DISK [NAME [OUTPUT]]\n"
    "  or:  quelt-cp [OPTION]... -t FOLDER IMAGE DISK [NAME]\n";
constexpr char copyArguments[] =
    "Copies the file NAME of disk DISK of the D88 image file IMAGE to OUTPUT, or\n"
    "without NAME every file of the disk into the current folder.\n"
    "  IMAGE        the image file, or a pipe; - is standard input; a compressed\n"
    "               image (x.d88.gz); ARCHIVE/MEMBER, an image in an archive\n"
    "  DISK         the disk's number, counted from 1 as quelt-ls counts\n"
    "  NAME         the file's name as quelt-ls prints it or quelt-cp wrote it\n"
    "               (other bytes as \\xNN, %XX or UTF-8); * and ? make it a pattern\n"
    "  OUTPUT       the file to write (named for NAME by default); - standard\n"
    "               output; a folder, or a name ending in /, copies into it\n"
    "  --           end the options (for names that begin with -)\n";
// Where the options' help begins, as the arguments' does.
constexpr int copyHelpColumn = 15;
// IMAGE written as a wildcard (on Windows) that matches several files, and
// how many.
constexpr char severalImagesFormat[] = "matches %d files: expected one IMAGE";
// A second -t.
constexpr char multipleTargetFolders[] = "multiple target directories: expected one -t FOLDER";
// What the operands should have been, for the messages on a wrong count.
constexpr char copyOperands[] = "IMAGE DISK [NAME [OUTPUT]]";
constexpr char copyOperandsWithFolder[] = "IMAGE DISK [NAME] with -t";
// What a DISK should be, for the message on one that is not a number.
constexpr char diskNumberWhat[] = "disk number";
constexpr char diskNumberExpected[] = "a number from 1, as quelt-ls counts the disks";

// The reason of "quelt-cp: ARCHIVE: REASON" for an archive given without a
// member (companion/member_operand.h has the one for a member it lacks).
constexpr char archiveNeedsMemberText[] =
    "an archive: name the image in it as ARCHIVE/MEMBER (quelt-ls ARCHIVE lists them)";

// Each line about the image's disks begins with IMAGE as given.
// The disk number as given, and how many disks the image holds ("1 disk").
constexpr char noSuchDiskFormat[] = "no disk %s: the image holds %s";
// The disk number, and the reason of quelt-ls's verdict on its directory
// (recognition/directory_verdict.h).
constexpr char unreadableDirectoryFormat[] =
    "disk %d has no readable directory: %s";
constexpr char foreignDirectoryFormat[] =
    "disk %d holds no file of this file system: %s";
// Why a disk whose header cannot be read has no directory either.
constexpr char unreadableHeaderReason[] = "its header cannot be read";
// The disk number; the copy of every file of such a disk writes nothing and
// succeeds.
constexpr char noUsedEntryFormat[] =
    "disk %d has no file: no directory entry is used";
// The disk number, and the name or pattern as given.
constexpr char noSuchFileFormat[] = "disk %d has no file \"%s\"";
// The disk number, NAME~N as given, how many files a copy of every file writes
// as NAME, NAME~2, ..., and NAME.
constexpr char noSuchCopyNumberFormat[] =
    "disk %d has no file \"%s\": only %d of its files are written as \"%s\" or "
    "with ~N after it";
constexpr char noMatchFormat[] = "disk %d has no file that matches \"%s\"";
// OUTPUT, and how many files it would have to hold.
constexpr char notAFolderFormat[] =
    "not a folder: expected a folder (or a name ending in /) for %d files";
// The file written (- for standard output), and the name on the disk as listed.
constexpr char damagedCopyFormat[] =
    "damaged copy: part of %s could not be read and is zeros";
// The folder named when no temporary file can be made in it; the system's
// reason follows.
constexpr char noTemporaryProblem[] = "cannot make a temporary file in this folder: ";
// The file written, and how many other names (hard links) the replaced file had.
constexpr char otherLinksFormat[] =
    "a new file replaced it; its other hard links (%lu) keep the old "
    "bytes";
// The file left alone under --no-clobber.
constexpr char notOverwrittenFormat[] = "exists; not overwritten (--no-clobber)";

// Standard output, one line per file when several may be copied (a whole disk
// or a pattern): the name on the disk as listed, and the file written.
constexpr char copyingFormat[] = "copying ... %s -> %s\n";

#endif
