#ifndef QUELT_LISTER_LIST_MESSAGES_H
#define QUELT_LISTER_LIST_MESSAGES_H

// What quelt-ls says besides its listing and quelt's own messages (cannot open,
// standard output failed), which it shares. Plain ASCII.

constexpr char listerName[] = "quelt-ls";
// Standard error on a wrong command line; standard output for --help.
constexpr char listerUsageLine[] = "Usage: quelt-ls IMAGE\n";
// Standard output, after the usage line, for --help.
constexpr char listerArguments[] =
    "Lists the disks and files of the D88 image file IMAGE and what quelt makes of\n"
    "each disk. Writes no file.\n"
    "  IMAGE        the image file, or a pipe; write ./-x.d88 for a name like -x.d88\n"
    "  -h, --help   print this help\n"
    "  --version    print the version\n";

// What a file that is no D88 image is called, before the reason.
constexpr char notD88Prefix[] = "not a D88 image: ";
// Why the first header describes no disk that the file could hold; each is
// filled with the numbers it names.
constexpr char noDiskFormat[] = "no disk: the file is shorter than a disk header (%d bytes)";
constexpr char sizeBelowHeaderFormat[] =
    "disk 1's size, %u bytes, is smaller than a disk header (%d bytes)";
constexpr char unknownMediaFormat[] =
    "disk 1's track table points outside the disk, and its media byte 0x%02X is none a D88 "
    "writer uses";
constexpr char sizePastFileFormat[] =
    "disk 1's track table points outside the disk, and its size, %u bytes, runs past the end "
    "of the file";

#endif
