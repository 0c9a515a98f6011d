#ifndef QUELT_JOINER_JOIN_MESSAGES_H
#define QUELT_JOINER_JOIN_MESSAGES_H

// What quelt-join says. Plain ASCII but for the paths and names it shows, all
// on standard error (standard output may carry the joined image): failures as
// "quelt-join: FILE: reason", and with --set which disk it took for each role.

constexpr char joinerName[] = "quelt-join";
// Standard error on a wrong command line; standard output for --help.
constexpr char joinUsageLine[] =
    "Usage: quelt-join [-r] [--set] [-f] [--utf8 | --escaped] [-o OUTPUT] IMAGE...\n";
// Standard output, after the usage line, for --help; the options' lines follow
// (joiner/join_run.cpp).
constexpr char joinArguments[] =
    "Writes one D88 image file of the disks of the images IMAGE..., in order, to\n"
    "OUTPUT or standard output.\n"
    "  IMAGE            an image file, or a pipe; - is standard input; a compressed\n"
    "                   image (x.d88.gz); an archive, every member in order, or\n"
    "                   ARCHIVE/MEMBER one of them; IMAGE@LIST only the disks LIST\n"
    "                   (numbers from 1 as quelt-ls counts, 2,3 or 1-3), in order\n"
    "  --               end the options (for names that begin with -)\n";
// What the operands should have been, for the message on none.
constexpr char joinOperands[] = "one or more IMAGE";

// Without -o, standard output takes the image: never a terminal.
constexpr char terminalOutputText[] =
    "standard output is a terminal: expected -o OUTPUT, or standard output redirected";
// An input named as OUTPUT (by any name).
constexpr char outputIsInputText[] = "is one of the images being joined; not written";
// A LIST after @ that says no disks.
constexpr char diskListWhat[] = "disk list";
constexpr char diskListExpected[] = "disk numbers from 1, joined by commas, as 2,3 or 1-3";

// A disk the join cannot take whole: every disk after it would move.
constexpr char cutShortFormat[] =
    "disk %lld is cut short by the end of the file (%s missing); not joined";
// A chosen disk the image does not hold.
constexpr char noSuchDiskFormat[] = "no disk %lld: the image holds %s";
// A disk whose header cannot be read, past the first.
constexpr char unreadableHeaderFormat[] = "disk %lld's header cannot be read; not joined";
// More than one image can hold, by disks or by bytes.
constexpr char tooManyDisksFormat[] =
    "the joined image would hold %lld disks: an image holds at most %lld, so quelt would "
    "not read them all";
constexpr char tooLargeFormat[] =
    "the joined image would be %lld bytes: no D88 image is longer than %lld";
// --set: a file that is no image is no candidate.
constexpr char passedOverFileFormat[] = "passed over: %s (not a D88 image: %s)\n";

// The folder named when no temporary file can be made in it; the system's
// reason follows.
constexpr char noTemporaryProblem[] = "cannot make a temporary file in this folder: ";
// OUTPUT, and how many other names (hard links) the replaced file had.
constexpr char otherLinksFormat[] =
    "a new file replaced it; its other hard links (%lu) keep the old bytes";

// --set's lines: the role, where the disk lies, its name.
// The role, and where the disk lies: "x.zip/a.d88 disk 1 "DEMO"".
constexpr char tookFormat[] = "%s: %s\n";
// Where the disk lies, and why it was passed over.
constexpr char passedOverFormat[] = "passed over: %s, %s\n";
constexpr char diskOfFileFormat[] = " disk %d ";
constexpr char demoRoleText[] = "demo disk";
constexpr char mainRoleText[] = "main disk";
constexpr char scenarioRoleText[] = "scenario disk";
// Why each candidate was passed over.
constexpr char earlierDemoText[] =
    "an earlier demo disk (quelt cuts the demo files of the later one over its)";
constexpr char laterMainText[] = "a later disk that lists startup";
constexpr char laterScenarioText[] = "a later disk that lists bgmscore";
// No set: what is missing, and what was found.
constexpr char noMainText[] = "no main disk: no disk without the demo signature lists startup";
constexpr char noScenarioText[] = "no scenario disk: no disk lists bgmscore";
// Between what is missing and how many disks were looked at ("3 disks"), and
// before what was found among them.
constexpr char foundAmongText[] = "; found among ";
constexpr char foundNothingText[] = "no disk of the set";

#endif
