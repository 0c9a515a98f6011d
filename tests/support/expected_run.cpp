#include "support/expected_run.h"

#include <cstdio>

#include "tool/messages.h"

namespace d88build {

std::string formatted(const char* format, int number) {
    char line[512];
    std::snprintf(line, sizeof line, format, number);
    return line;
}

std::string formatted(const char* format, const char* text) {
    char line[512];
    std::snprintf(line, sizeof line, format, text);
    return line;
}

std::string demoLines(int number) {
    return formatted(demoDiskFoundFormat, number) + "cutting ... opdrv\ncutting ... opmus\n" +
           "cutting ... opefc\ncutting ... edmus\n";
}

std::string mainLines(int number) {
    return formatted(mainDiskFoundFormat, number) + "cutting ... fmdriver\nloading ... startup\n";
}

std::string sliceLine(const std::string& name, unsigned offset, unsigned size) {
    char line[128];
    std::snprintf(line, sizeof line, "cutting ... %s offset = %04x size = %04x\n", name.c_str(),
                  offset, size);
    return line;
}

std::string scenarioLines(int number, const SampleSet& set) {
    std::string lines = formatted(scenarioDiskFoundFormat, number) + "loading ... sud_data\n" +
                        sliceLine("sud_data", 0, static_cast<unsigned>(set.sudData.size())) +
                        "loading ... bgmscore\n";
    for (int j = 0; j < kMusicPieces; ++j) {
        const MusicPiece& piece = set.pieces[static_cast<size_t>(j)];
        char name[8];
        std::snprintf(name, sizeof name, "mus%02d", j);
        lines += sliceLine(name, piece.segment * 2048u + piece.offset, piece.size);
    }
    return lines;
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

FileMap scenarioFiles(const SampleSet& set) {
    FileMap files = {{"sud_data", set.sudData}};
    for (int j = 0; j < kMusicPieces; ++j) {
        char name[8];
        std::snprintf(name, sizeof name, "mus%02d", j);
        files[name] = pieceBytes(set, j);
    }
    return files;
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

}  // namespace d88build
