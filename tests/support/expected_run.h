// What a run of quelt on the sample set (or a variant of it) should print and
// write, put together from the set's recipe, independently of the tool's code
// except for the message texts, which messages_test checks on their own.
#pragma once

#include <map>
#include <string>

#include "samples/d88_builder.h"
#include "samples/sample_set.h"
#include "common/error_stream.h"

namespace queltests {
using namespace d88build;

using FileMap = std::map<std::string, Bytes>;

// A message filled in as printf does.
std::string formatted(const char* format, ...) QUELT_PRINTF_FORMAT(1, 2);

// Standard output of the demo disk's part of the first pass, for disk `number` (1-based).
std::string demoLines(int number);
// Main disk found as disk `number`: its line, fmdriver's cut and startup's loading.
std::string mainLines(int number);
// Scenario disk found as disk `number`, with these pieces and sud_data's size.
std::string scenarioLines(int number, size_t sudDataSize,
                          const std::array<MusicPiece, kMusicPieces>& pieces);
std::string scenarioLines(int number, const SampleSet& set);
std::string sliceLine(const std::string& name, unsigned offset, unsigned size);

FileMap demoFiles(const Disk& demo);
FileMap mainFiles(const Disk& main);
FileMap merged(std::initializer_list<FileMap> parts);

// Everything a complete run on sampleImage() prints.
std::string completeRunOutput(const SampleSet& set);

}  // namespace queltests
