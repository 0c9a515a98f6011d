#include "support/expected_run.h"

#include <cstdarg>
#include <cstdio>

#include "tool/messages.h"

namespace queltests {

std::string formatted(const char* format, ...) {
    char line[512];
    std::va_list values;
    va_start(values, format);
    std::vsnprintf(line, sizeof line, format, values);
    va_end(values);
    return line;
}

std::string demoLines(int number) {
    return formatted(demoDiskFoundFormat, number) + formatted(cuttingSectorsFormat, "opdrv") +
           formatted(cuttingSectorsFormat, "opmus") + formatted(cuttingSectorsFormat, "opefc") +
           formatted(cuttingSectorsFormat, "edmus");
}

std::string mainLines(int number) {
    return formatted(mainDiskFoundFormat, number) + formatted(cuttingSectorsFormat, "fmdriver") +
           formatted(loadingFormat, "startup");
}

std::string sliceLine(const std::string& name, unsigned offset, unsigned size) {
    return formatted(cuttingSliceFormat, name.c_str(), offset, size);
}

std::string scenarioLines(int number, size_t sudDataSize,
                          const std::array<MusicPiece, kMusicPieces>& pieces) {
    std::string lines = formatted(scenarioDiskFoundFormat, number) +
                        formatted(loadingFormat, "sud_data") +
                        sliceLine("sud_data", 0, static_cast<unsigned>(sudDataSize)) +
                        formatted(loadingFormat, "bgmscore");
    for (int j = 0; j < kMusicPieces; ++j) {
        const MusicPiece& piece = pieces[static_cast<size_t>(j)];
        lines += sliceLine(musName(j), static_cast<unsigned>(pieceStart(piece)), piece.size);
    }
    return lines;
}

std::string scenarioLines(int number, const SampleSet& set) {
    return scenarioLines(number, set.sudData.size(), set.pieces);
}

FileMap demoFiles(const Disk& demo) {
    return {{"opdrv", runBytes(demo, kOpdrvRun)},
            {"opmus", runBytes(demo, kOpmusRun)},
            {"opefc", runBytes(demo, kOpefcRun)},
            {"edmus", runBytes(demo, kEdmusRun)}};
}

FileMap mainFiles(const Disk& main) {
    return {{"fmdriver", runBytes(main, kFmdriverRun)}};
}

FileMap merged(std::initializer_list<FileMap> parts) {
    FileMap all;
    for (const FileMap& part : parts) {
        all.insert(part.begin(), part.end());
    }
    return all;
}

std::string completeRunOutput(const SampleSet& set) {
    return demoLines(1) + mainLines(2) + scenarioLines(3, set) + completeMessage;
}

}  // namespace queltests
