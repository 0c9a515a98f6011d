#include "samples/other_disks.h"

#include <vector>

#include "samples/game_disk.h"

namespace d88build {

Disk uniformDisk(int count, uint8_t n, uint8_t fill, int cylinders) {
    Disk disk(cylinders);
    for (int t = 0; t < disk.trackCount(); ++t) {
        std::vector<Record>& records = disk.track(t);
        records.clear();
        for (int r = 1; r <= count; ++r) {
            Record record;
            record.c = static_cast<uint8_t>(t / kHeads);
            record.h = static_cast<uint8_t>(t % kHeads);
            record.r = static_cast<uint8_t>(r);
            record.n = n;
            record.sectorCount = static_cast<uint16_t>(count);
            record.data.assign(static_cast<size_t>(128) << n, fill);
            records.push_back(record);
        }
    }
    return disk;
}

Disk zeroDisk() {
    Disk disk;
    for (int t = 0; t < disk.trackCount(); ++t) {
        for (Record& record : disk.track(t)) {
            record.data.assign(record.data.size(), 0);
        }
    }
    return disk;
}

Disk filledDirectoryDisk(uint8_t fill) {
    Disk disk;
    for (int r = kDirectorySector; r <= kAllocationSector; ++r) {
        disk.sector(kSystemTrack, r).assign(kSectorSize, fill);
    }
    return disk;
}

Disk gameDisk() {
    Disk disk(40, 0x6A);
    formatGameFs(disk);
    addFile(disk, "notes", pattern(3000, 0x6B), {20, 21});
    return disk;
}

Disk gameDiskWithout(int r) {
    Disk disk = gameDisk();
    disk.removeSector(kSystemTrack, r);
    return disk;
}

Disk largestSectorSizes() {
    Disk disk;
    std::vector<Record>& last = disk.track(79);
    last.resize(2);
    last[1].n = 8;
    last[1].data.assign(32768, 0x38);
    for (Record& record : last) {
        record.sectorCount = 2;
    }
    std::vector<Record>& before = disk.track(78);
    before.resize(1);
    before[0].n = 9;
    before[0].sectorCount = 1;
    return disk;
}

Bytes cutInTrack(const Disk& disk, int track, long kept) {
    Bytes bytes = disk.bytes();
    bytes.resize(static_cast<size_t>(static_cast<long>(disk.trackOffset(track)) + kept));
    return bytes;
}

}  // namespace d88build
