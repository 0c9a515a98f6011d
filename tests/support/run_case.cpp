#include <gtest/gtest.h>

#include "support/run_case.h"

#include "support/file_tree.h"

#include "tool/messages.h"

namespace queltests {

void PrintTo(const NamedCase& namedCase, std::ostream* out) {
    *out << namedCase.name;
}

std::string caseName(const testing::TestParamInfo<NamedCase>& info) {
    return info.param.name;
}

void addFilesAt(Case& c, const std::vector<std::string>& paths, const Bytes& bytes) {
    c.prepare = [paths, bytes](const std::filesystem::path& work) {
        for (const std::string& path : paths) {
            writeFileBelow(work, path, bytes);
        }
    };
    for (const std::string& path : paths) {
        c.files[path] = bytes;
    }
}

void expectRunAsDescribed(const std::string& program, const Case& expected) {
    ToolRun run = runInFreshFolder(program, expected.image, expected.args, expected.prepare,
                                   expected.around);
    EXPECT_EQ(run.out, expected.binaryOutput ? expected.out : asTextStream(expected.out));
    EXPECT_EQ(run.err, asTextStream(expected.err));
    EXPECT_EQ(run.status, expected.status);
    EXPECT_EQ(run.files.size(), expected.files.size());
    for (const auto& [name, bytes] : expected.files) {
        auto written = run.files.find(name);
        ASSERT_NE(written, run.files.end()) << name << " was not written";
        EXPECT_TRUE(written->second == bytes) << name << " differs";
    }
}

Case runOn(const SampleSet& set, std::initializer_list<const Disk*> disks) {
    Case c;
    c.image = concat(disks);
    c.files = merged({demoFiles(set.demo), mainFiles(set.main), scenarioOutputs(set)});
    return c;
}

Case completeRun(const SampleSet& set) {
    Case c = runOn(set, {&set.demo, &set.main, &set.scenario});
    c.out = completeRunOutput(set);
    return c;
}

Case noScenarioDiskRun(const SampleSet& set, const Bytes& image) {
    Case c;
    c.image = image;
    c.out = demoLines(1) + mainLines(2);
    c.err = noScenarioDiskMessage;
    c.status = 1;
    c.files = merged({demoFiles(set.demo), mainFiles(set.main)});
    return c;
}

Case noMainDiskRun(const Bytes& image, const Disk* demo) {
    Case c;
    c.image = image;
    if (demo != nullptr) {
        c.out = demoLines(1);
        c.files = demoFiles(*demo);
    }
    c.err = noMainDiskMessage;
    c.status = 1;
    return c;
}

std::string partlyUnreadable(const char* name) {
    return formatted(partlyUnreadableFormat, name);
}

Bytes bufferSlice(const Bytes& contents, size_t offset, size_t size) {
    constexpr size_t bufferSize = 524288;
    Bytes slice;
    for (size_t i = offset; i < offset + size && i < bufferSize; ++i) {
        slice.push_back(i < contents.size() ? contents[i] : 0);
    }
    return slice;
}

FileMap piecesFrom(const SampleSet& set, const Bytes& buffer) {
    FileMap files;
    for (int j = 0; j < kMusicPieces; ++j) {
        const MusicPiece& piece = set.pieces[static_cast<size_t>(j)];
        files[musName(j)] = bufferSlice(buffer, pieceStart(piece), piece.size);
    }
    return files;
}

FileMap scenarioOutputs(const SampleSet& set) {
    FileMap files = piecesFrom(set, set.bgmscore);
    files["sud_data"] = set.sudData;
    return files;
}

}  // namespace queltests
