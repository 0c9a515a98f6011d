// The fuzz runs' output files (tool/writers/output_file.h) and copy writer
// (copier/copy_writer.h), handed to the runs in place of the file system's:
// each file a run writes is kept in memory for the target's checks instead of
// going to the file system, where creating, writing and removing a run's 24
// files cost more than the rest of a quick run.
#pragma once

#include <cstdint>

#include "copier/copy_writer.h"
#include "fuzz/program_runs.h"
#include "tool/writers/output_file.h"

namespace fuzzruns {

// Whether the files' bytes are kept, or only their sizes (the default).
void keepOutputBytes(bool keep);

// The files written since the last call, by the names the runs gave them; a
// name written again holds its last bytes, as a file would.
Outputs takeCapturedOutputs();

// quelt's output files, kept. A name that would not make a file in the run's
// folder, or would overwrite the image, is a finding.
class CapturedOutputFiles final : public OutputFiles {
public:
    void write(const char* name, const uint8_t* bytes, int32_t count) override;
};

// The companions' copies, kept the same way; every write succeeds.
class CapturedCopies final : public CopyWriter {
public:
    CopyWriteResult write(const std::string& target, const uint8_t* bytes, int32_t count,
                          const CopyWriteOptions& options) override;
};

}  // namespace fuzzruns
