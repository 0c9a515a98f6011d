// What every target runs once before its first input: the three programs and
// the image checks on one image built here, read both ways the targets read
// (sweeping at once and soon). What the runs keep from one input to the next
// (the readers' windows, the sweep's ring at its longest, the statics) is
// so taken before fuzzing starts. libFuzzer runs an input again, and searches
// the whole heap for leaks, whenever a run allocates more blocks than it frees:
// the first such runs of a target took about a tenth of a one-minute stage.
#pragma once

#include <string>

namespace fuzzsetup {

// The runs on the image in memory, once as a file and once as a stream.
void warmUp();

// What every target's LLVMFuzzerInitialize does: prepare() (fuzz_setup.h), a
// scratch folder named `name`, where the streams' temporary copies go, and the
// warm-up.
void startTarget(int* argc, char*** argv, const std::string& name);

}  // namespace fuzzsetup
