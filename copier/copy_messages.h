#ifndef QUELT_COPIER_COPY_MESSAGES_H
#define QUELT_COPIER_COPY_MESSAGES_H

// What quelt-cp says besides quelt's own messages (cannot open, damaged output,
// cannot write), which it shares. Standard error, plain ASCII.
constexpr char copierName[] = "quelt-cp";
// Standard error on a wrong command line; standard output for --help.
constexpr char copyUsageLine[] = "Usage: quelt-cp IMAGE DISK [NAME [OUTPUT]]\n";
// Standard output, after the usage line, for --help.
constexpr char copyArguments[] =
    "Copies the file NAME of disk DISK of the D88 image file IMAGE to OUTPUT, or\n"
    "without NAME every file of the disk into the current folder.\n"
    "  IMAGE        the image file, or a pipe; write ./-x.d88 for a name like -x.d88\n"
    "  DISK         the disk's number, counted from 1 as quelt-ls counts\n"
    "  NAME         the file's name as quelt-ls prints it, other bytes as \\xNN\n"
    "  OUTPUT       the file to write (named for NAME by default); - standard output\n"
    "  -h, --help   print this help\n"
    "  --version    print the version\n";
// The disk number as given, and how many disks the image holds.
constexpr char noSuchDiskFormat[] = "quelt-cp: no disk %s: the image holds %d disks\n";
constexpr char unreadableDirectoryFormat[] = "quelt-cp: disk %d has no readable directory\n";
constexpr char onlyFillFormat[] =
    "quelt-cp: disk %d holds no file of this file system: every used entry is one byte "
    "repeated\n";
// The disk number; the copy of every file of such a disk writes nothing and
// succeeds.
constexpr char noUsedEntryFormat[] = "quelt-cp: disk %d has no file: no directory entry is used\n";
// The disk number, and the name as given.
constexpr char noSuchFileFormat[] = "quelt-cp: disk %d has no file \"%s\"\n";

// Standard output, one line per file when a whole disk is copied: the name on
// the disk as quelt-ls prints it, and the file written.
constexpr char copyingFormat[] = "copying ... %s -> %s\n";

#endif
