#include "recognition/demo_signature.h"

#include <cstring>

namespace {
constexpr SectorAddress signatureSector = {0, 0, 0, 8, sectorSizeCode};
constexpr int32_t sectorBytes = sectorLength(sectorSizeCode);
}  // namespace

bool carriesDemoSignature(D88Image& image, uint8_t* buffer) {
    // Only bytes this sector supplied count: stale buffer contents never make a
    // demo disk.
    int32_t supplied = image.readSector(signatureSector, buffer, sectorBytes);
    return supplied >= demoSignatureLength &&
           std::memcmp(buffer, demoSignature, demoSignatureLength) == 0;
}
