#include "samples/foreign_disks.h"

#include <cstring>

#include "samples/other_disks.h"

namespace d88build {
namespace {

void putText(Bytes& out, size_t at, const char* text) {
    std::memcpy(out.data() + at, text, std::strlen(text));
}

// Logical sector `sector` of a disk of `perTrack` sectors a track.
Bytes& logical(Disk& disk, int perTrack, int sector) {
    return disk.sector(sector / perTrack, 1 + sector % perTrack);
}

// The parameter block from byte 11: 2 sectors a cluster, 1 reserved, 2 FATs
// of 2 sectors, 112 root entries, 2 heads.
void putBlock(Bytes& boot, const Fat12Recipe& r, uint16_t bytes, uint16_t total) {
    putLe16(boot, 11, bytes);
    boot[13] = 2;
    putLe16(boot, 14, 1);
    boot[16] = 2;
    putLe16(boot, 17, 112);
    putLe16(boot, 19, total);
    boot[21] = r.media;
    putLe16(boot, 22, 2);
    putLe16(boot, 24, static_cast<uint16_t>(r.sectorsPerTrack));
    putLe16(boot, 26, 2);
}

// The first 32-byte entries of a root directory: label, two files, a deleted one.
void putRootEntries(Bytes& root) {
    putText(root, 0, "WORK DISK  ");
    root[11] = 0x08;
    putText(root, 32, "README  TXT");
    putText(root, 64, "OLD     TXT");
    root[64] = 0xE5;
    putText(root, 96, "GAME    BIN");
}

// A BASIC's directory entry: a name and the byte of its first cluster.
void putEntry(Bytes& sector, size_t at, size_t clusterAt, int file) {
    const std::string name = "FILE" + std::to_string(file);
    std::memset(sector.data() + at, ' ', 8);
    putText(sector, at, name.c_str());
    sector[at + clusterAt] = static_cast<uint8_t>(2 + file);
}

}  // namespace

Disk fat12Disk(const Fat12Recipe& r) {
    Disk disk = uniformDisk(r.sectorsPerTrack, r.n, 0xF6, r.cylinders);
    const uint16_t bytes = static_cast<uint16_t>(128 << r.n);
    const int total = r.cylinders * 2 * r.sectorsPerTrack + r.totalSectorsOff;
    if (!r.noBlock) {
        putBlock(logical(disk, r.sectorsPerTrack, 0), r, bytes, static_cast<uint16_t>(total));
    }
    for (int s = 1; s < 5 + 112 * 32 / bytes; ++s) {
        logical(disk, r.sectorsPerTrack, s).assign(bytes, 0);
    }
    for (int copy = 0; copy < 2; ++copy) {
        Bytes& fat = logical(disk, r.sectorsPerTrack, 1 + copy * 2);
        fat[0] = r.media;
        fat[1] = fat[2] = fat[3] = 0xFF;
    }
    logical(disk, r.sectorsPerTrack, 3)[3] = r.copiesDiffer ? 0x03 : 0xFF;
    putRootEntries(logical(disk, r.sectorsPerTrack, 5));
    return disk;
}

Disk huBasicDisk(int files, bool directory) {
    Disk disk = uniformDisk(16, 1, 0xE5);
    Bytes& table = disk.sector(0, 15);
    table.assign(kSectorSize, 0);
    table[0] = 0x01;
    table[1] = 0x8F;
    for (int t = 1; t <= 16 && directory; ++t) {
        disk.sector(1, t).assign(kSectorSize, 0xFF);
    }
    for (int f = 0; f < files; ++f) {
        table[static_cast<size_t>(2 + f)] = 0x80;
        Bytes& sector = disk.sector(1, 1);
        sector[static_cast<size_t>(f * 32)] = 0x01;
        putEntry(sector, static_cast<size_t>(f * 32) + 1, 29, f);
    }
    return disk;
}

Disk fBasicDisk(int files) {
    Disk disk = uniformDisk(16, 1, 0xFF);
    putText(disk.sector(0, 3), 0, "S  ");
    Bytes& table = disk.sector(2, 1);
    table[0] = 0x00;
    for (int f = 0; f < files; ++f) {
        table[static_cast<size_t>(5 + 2 + f)] = 0xC0;
        putEntry(disk.sector(2, 4), static_cast<size_t>(f * 32), 14, f);
    }
    return disk;
}

Disk n88BasicDisk(int files, bool directory) {
    Disk disk = uniformDisk(16, 1, directory ? 0xFF : 0x41);
    for (int copy = 14; copy <= 16; ++copy) {
        Bytes& table = disk.sector(37, copy);
        table[74] = table[75] = 0xFE;
        for (int f = 0; f < files; ++f) {
            table[static_cast<size_t>(2 + f)] = 0xC1;
        }
    }
    for (int f = 0; f < files; ++f) {
        putEntry(disk.sector(37, 1), static_cast<size_t>(f * 16), 10, f);
    }
    return disk;
}

Disk bootRecordDisk() {
    Disk disk = uniformDisk(16, 1, 0x00);
    Bytes& record = disk.sector(0, 1);
    record[0] = 0x01;
    putText(record, 1, "DEMO         Sys");
    putLe16(record, 18, 1000);
    putLe16(record, 20, 0x8000);
    putLe16(record, 22, 0x8000);
    putLe16(record, 30, 1);
    return disk;
}

}  // namespace d88build
