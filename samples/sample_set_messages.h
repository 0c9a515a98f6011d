#ifndef QUELT_SAMPLE_SAMPLE_SET_MESSAGES_H
#define QUELT_SAMPLE_SAMPLE_SET_MESSAGES_H

// Everything quelt-sample-set says, plain ASCII.

constexpr char sampleSetName[] = "quelt-sample-set";
// Standard error on a wrong command line; standard output for --help.
constexpr char sampleSetUsageLine[] = "Usage: quelt-sample-set FILE\n";
// Standard output, after the usage line, for --help.
constexpr char sampleSetArguments[] =
    "Writes a made-up sample set of three disks, a D88 image that quelt cuts whole,\n"
    "to FILE.\n"
    "  FILE         the image file to write (replaced when it exists)\n";
// Where the options' help begins (-h's and --version's, after the arguments).
constexpr int sampleSetHelpColumn = 15;
// Standard error: the file as given.
constexpr char sampleSetCannotWriteFormat[] = "quelt-sample-set: cannot write %s\n";

#endif
