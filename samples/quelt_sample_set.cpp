// Writes the made-up three-disk sample set to a D88 image file, so the tool can be
// tried by hand on an image that needs no outside disk.
#include <cstdio>

#include "companion/command_line.h"
#include "samples/sample_set_messages.h"
#include "samples/sample_set.h"

namespace {
constexpr ProgramTexts sampleSetTexts = {sampleSetName, sampleSetUsageLine, sampleSetArguments,
                                         sampleSetHelpColumn};
}  // namespace

int main(int argc, char* argv[]) {
    int status = 0;
    ParsedCommandLine parsed;
    if (!parseCommandLine(argc, argv, sampleSetTexts, {}, parsed, status)) {
        return status;
    }
    if (parsed.operands.size() != 1) {
        std::fputs(sampleSetUsageLine, stderr);
        return 1;
    }
    const char* file = parsed.operands[0];
    if (!d88build::writeFile(file, d88build::sampleImage())) {
        std::fprintf(stderr, sampleSetCannotWriteFormat, file);
        return 1;
    }
    return 0;
}
