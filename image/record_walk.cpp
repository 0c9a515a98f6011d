#include "image/record_walk.h"

#include "common/little_endian.h"

namespace {
// Fields of a record header beyond the four ID bytes at its start.
constexpr int sectorCountField = 4;
constexpr int dataLengthField = 14;

// False when the file ends before the header at `position` is whole.
bool readRecordHeader(FileReader& file, int64_t position, RecordHeader& header) {
    uint8_t bytes[recordHeaderSize];
    if (file.readAt(position, bytes, sizeof bytes) != sizeof bytes) {
        return false;
    }
    header.c = bytes[0];
    header.h = bytes[1];
    header.r = bytes[2];
    header.n = bytes[3];
    header.sectorCount = readLe16(bytes + sectorCountField);
    header.dataLength = readLe16(bytes + dataLengthField);
    return true;
}
}  // namespace

uint32_t sectorId(uint8_t c, uint8_t h, uint8_t r, uint8_t n) {
    return static_cast<uint32_t>(c) | (static_cast<uint32_t>(h) << 8) |
           (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(n) << 24);
}

uint32_t sectorId(const RecordHeader& header) {
    return sectorId(header.c, header.h, header.r, header.n);
}

// The count is tested before anything else of the record: a record stating 0
// sectors ends the walk whatever its k.
RecordStep stepRecord(FileReader& file, int64_t position, int64_t k, RecordHeader& header) {
    if (!readRecordHeader(file, position, header)) {
        return RecordStep::cutShort;
    }
    if (header.sectorCount == 0) {
        return RecordStep::countZero;
    }
    return k == header.sectorCount - 1 ? RecordStep::endsAfter : RecordStep::goesOn;
}

int64_t nextRecord(int64_t position, const RecordHeader& header) {
    return position + recordHeaderSize + header.dataLength;
}

SectorLocation dataOf(int64_t position, const RecordHeader& header) {
    return {position + recordHeaderSize, header.dataLength};
}

// Ends on every file: each step moves on by a whole header at least.
bool searchByReading(FileReader& file, int64_t position, int64_t k, uint32_t id,
                     SectorLocation& location) {
    for (;; ++k) {
        RecordHeader header;
        const RecordStep step = stepRecord(file, position, k, header);
        if (step == RecordStep::cutShort || step == RecordStep::countZero) {
            return false;
        }
        if (sectorId(header) == id) {
            location = dataOf(position, header);
            return true;
        }
        if (step == RecordStep::endsAfter) {
            return false;
        }
        position = nextRecord(position, header);
    }
}
