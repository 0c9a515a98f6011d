// Writes the made-up three-disk sample set to a D88 image file, so the tool can be
// tried by hand on an image that needs no outside disk.
#include <cstdio>

#include "sample/sample_set_messages.h"
#include "support/sample_set.h"
#include "tool/command_line.h"

namespace {
constexpr ProgramTexts sampleSetTexts = {sampleSetName, sampleSetUsageLine, sampleSetArguments};
}  // namespace

int main(int argc, char* argv[]) {
    int status = 0;
    if (answerOptions(argc, argv, sampleSetTexts, noDashOperand, status)) {
        return status;
    }
    if (argc != 2) {
        std::fputs(sampleSetUsageLine, stderr);
        return 1;
    }
    if (!d88build::writeFile(argv[1], d88build::sampleImage())) {
        std::fprintf(stderr, sampleSetCannotWriteFormat, argv[1]);
        return 1;
    }
    return 0;
}
