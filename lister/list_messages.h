#ifndef QUELT_LISTER_LIST_MESSAGES_H
#define QUELT_LISTER_LIST_MESSAGES_H

// What quelt-ls says besides its listing. Plain ASCII.

constexpr char listerName[] = "quelt-ls";
// Standard error on a wrong command line; standard output for --help.
constexpr char listerUsageLine[] =
    "Usage: quelt-ls [-r] [-j N] [--short | --json] [--hash] [--raw] [--utf8 | --escaped] IMAGE...\n";
// Standard output, after the usage line, for --help; the options' lines follow
// (lister/list_image.cpp).
constexpr char listerArguments[] =
    "Lists the disks and files of each D88 image file IMAGE and what quelt makes of\n"
    "each disk. Writes no file. Status 0: every file was a D88 image; 1: some file\n"
    "was not; 2: some file could not be read, or another failure.\n"
    "  IMAGE            an image file, or a pipe; - is standard input; after --, or\n"
    "                   as ./-x.d88, a name that begins with -; a compressed image\n"
    "                   (x.d88.gz); an archive, each member as ARCHIVE/MEMBER\n";
// What -j's value should have been: the most threads follow.
constexpr char listerJobsExpected[] = "a whole number from 1 to ";
// What the operands should have been, for the message on a wrong count of them.
constexpr char listerOperands[] = "one or more IMAGE";

// A stream (a pipe, an archive member) longer than an image can be is read only
// so far: the bytes read, which no image can go past.
constexpr char cutOffFormat[] =
    "cut off after %lld bytes: no D88 image is longer, and the rest was not read";

// An archive libarchive can read no further in, after the members listed: the
// last one's name, a quote, ": " and libarchive's reason follow.
constexpr char stopsAfterText[] = "cannot be read after the member \"";
#endif
