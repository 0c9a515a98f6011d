#include "tool/run/demo_disk.h"

#include "common/sector_address.h"
#include "tool/writers/writers.h"

namespace {
struct FixedCut {
    const char* name;
    SectorAddress start;
    int32_t size;
};

// The demo disk's files lie in fixed sector runs; they are cut in this order.
constexpr FixedCut demoCuts[] = {
    {"opdrv", {2, 1, 0, 9, sectorSizeCode}, 3584},
    {"opmus", {0, 0, 0, 9, sectorSizeCode}, 2048},
    {"opefc", {35, 17, 1, 1, sectorSizeCode}, 256},
    {"edmus", {36, 18, 0, 8, sectorSizeCode}, 2048},
};
}  // namespace

void cutDemoFiles() {
    for (const FixedCut& cut : demoCuts) {
        cutSectors(cut.name, cut.start, cut.size);
    }
}
