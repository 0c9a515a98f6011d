#ifndef QUELT_COPIER_COPY_MESSAGES_H
#define QUELT_COPIER_COPY_MESSAGES_H

// What quelt-cp says besides quelt's own messages (cannot open, damaged output,
// cannot write), which it shares. Standard error, plain ASCII.
constexpr char copyUsageLine[] = "Usage: quelt-cp IMAGE DISK [NAME [OUTPUT]]\n";
// The disk number as given, and how many disks the image holds.
constexpr char noSuchDiskFormat[] = "quelt-cp: no disk %s: the image holds %d disks\n";
constexpr char unreadableDirectoryFormat[] = "quelt-cp: disk %d has no readable directory\n";
constexpr char onlyFillFormat[] =
    "quelt-cp: disk %d holds no file of this file system: every used entry is one byte "
    "repeated\n";
// The disk number, and the name as given.
constexpr char noSuchFileFormat[] = "quelt-cp: disk %d has no file \"%s\"\n";

// Standard output, one line per file when a whole disk is copied: the name on
// the disk as quelt-ls prints it, and the file written.
constexpr char copyingFormat[] = "copying ... %s -> %s\n";

#endif
