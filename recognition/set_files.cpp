#include "recognition/set_files.h"

#include "common/little_endian.h"
#include "gamefs/game_fs.h"

namespace {
constexpr std::size_t musicEntrySize = 6;
static_assert(musicPieces * musicEntrySize <= musicTableSize, "the records fit the table");
}  // namespace

MusicEntry musicEntryIn(const uint8_t* table, std::size_t piece) {
    const uint8_t* record = table + piece * musicEntrySize;
    return {readLe16(record), readLe16(record + 2), readLe16(record + 4)};
}

int32_t pieceOffset(const MusicEntry& entry) {
    return entry.segment * clusterSize + entry.offset;
}
