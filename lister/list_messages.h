#ifndef QUELT_LISTER_LIST_MESSAGES_H
#define QUELT_LISTER_LIST_MESSAGES_H

// What quelt-ls says besides its listing and quelt's own message for a failed
// standard output, which it shares. Plain ASCII.

constexpr char listerName[] = "quelt-ls";
// Standard error on a wrong command line; standard output for --help.
constexpr char listerUsageLine[] = "Usage: quelt-ls [--utf8] IMAGE\n";
// Standard output, after the usage line, for --help.
constexpr char listerArguments[] =
    "Lists the disks and files of the D88 image file IMAGE and what quelt makes of\n"
    "each disk. Writes no file.\n"
    "  IMAGE        the image file, or a pipe; - is standard input; after --, or as\n"
    "               ./-x.d88, a name that begins with -\n"
    "  --utf8       show the names' Shift_JIS characters in UTF-8\n"
    "  -h, --help   print this help\n"
    "  --version    print the version\n";
// What the operands should have been, for the message on a wrong count of them.
constexpr char listerOperands[] = "one IMAGE";

// Standard output, after "disks: N", when the first header describes no disk
// that the file could hold; each is filled with the numbers it names.
constexpr char noDiskFormat[] =
    "not a D88 image: no disk: the file is shorter than a disk header (%d bytes)\n";
constexpr char sizeBelowHeaderFormat[] =
    "not a D88 image: disk 1's size, %d bytes, is smaller than a disk header (%d bytes)\n";
constexpr char unknownMediaFormat[] =
    "not a D88 image: disk 1's track table points outside the disk, and its media byte "
    "0x%02X is none a D88 writer uses\n";
constexpr char sizePastFileFormat[] =
    "not a D88 image: disk 1's track table points outside the disk, and its size, %d bytes, "
    "runs past the end of the file\n";

#endif
