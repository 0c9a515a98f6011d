#include "tool/demo_disk.h"

#include <cstring>

#include "common/work_buffer.h"
#include "tool/messages.h"
#include "tool/writers.h"

namespace {
constexpr SectorAddress signatureSector = {0, 0, 0, 8, 1};
constexpr int32_t sectorBytes = 256;

struct FixedCut {
    const char* name;
    SectorAddress start;
    int32_t size;
};

// The demo disk's files lie in fixed sector runs; they are cut in this order.
constexpr FixedCut demoCuts[] = {
    {"opdrv", {2, 1, 0, 9, 1}, 3584},
    {"opmus", {0, 0, 0, 9, 1}, 2048},
    {"opefc", {35, 17, 1, 1, 1}, 256},
    {"edmus", {36, 18, 0, 8, 1}, 2048},
};
}  // namespace

bool carriesDemoSignature(D88Image& image) {
    // Only bytes this sector supplied count: stale buffer contents never make a
    // demo disk.
    int32_t supplied = image.readSector(signatureSector, workBuffer, sectorBytes);
    return supplied >= demoSignatureLength &&
           std::memcmp(workBuffer, demoSignature, demoSignatureLength) == 0;
}

void cutDemoFiles() {
    for (const FixedCut& cut : demoCuts) {
        cutSectors(cut.name, cut.start, cut.size);
    }
}
