#include "tool/writers/writers.h"

#include <algorithm>
#include <cstdio>

#include "common/work_buffer.h"
#include "tool/messages.h"
#include "tool/writers/damage_report.h"
#include "tool/writers/disk_image.h"
#include "tool/writers/output_file.h"

void cutSectors(const char* name, const SectorAddress& address, int32_t size) {
    int32_t wanted = std::min(std::max(size, 0), workBufferBytes);
    int32_t read = diskImage.readSectors(address, workBuffer, wanted);
    std::printf(cuttingSectorsFormat, name);
    runOutputFiles->write(name, workBuffer, wanted);
    if (read < size) {
        reportDamaged(name);
    }
}

void cutBuffer(const char* name, int32_t offset, int32_t size) {
    std::printf(cuttingSliceFormat, name, static_cast<unsigned>(offset),
                static_cast<unsigned>(size));
    int32_t inside = bytesInsideWorkBuffer(offset, size);
    runOutputFiles->write(name, workBuffer + (inside > 0 ? offset : 0), inside);
    if (inside < size) {
        reportDamaged(name);
    }
}
