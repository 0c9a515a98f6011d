#include "recognition/demo_signature.h"

#include <cstring>

#include "common/work_buffer.h"

namespace {
constexpr SectorAddress signatureSector = {0, 0, 0, 8, sectorSizeCode};
constexpr int32_t sectorBytes = sectorLength(sectorSizeCode);
}  // namespace

bool carriesDemoSignature(D88Image& image) {
    // Only bytes this sector supplied count: stale buffer contents never make a
    // demo disk.
    int32_t supplied = image.readSector(signatureSector, workBuffer, sectorBytes);
    return supplied >= demoSignatureLength &&
           std::memcmp(workBuffer, demoSignature, demoSignatureLength) == 0;
}
