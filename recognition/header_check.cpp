#include "recognition/header_check.h"

#include <cstdint>
#include <cstdio>

#include "common/plural.h"
#include "recognition/media_types.h"

namespace {
// The size field as the header holds it: an unsigned count of bytes.
int64_t unsignedSize(const D88Image& image) {
    return static_cast<uint32_t>(image.diskSize());
}

// A writer starts the first track where its track table ends: right after the
// header, or earlier when it keeps a shorter table; later tracks follow on, up
// to the disk's end. An absent track is 0. Returns 0 when no track is present.
int64_t firstTrackStart(const D88Image& image) {
    int64_t first = 0;
    for (int32_t t = 0; t < D88Image::maxTracks; ++t) {
        int32_t entry = image.trackOffset(t);
        if (entry > 0 && (first == 0 || entry < first)) {
            first = entry;
        }
    }
    return first;
}

bool trackTableFits(const D88Image& image) {
    int64_t tableEnd = firstTrackStart(image);
    if (tableEnd == 0) {
        tableEnd = D88Image::headerSize;  // a disk without tracks: a whole table of 0
    }
    // No writer leaves a gap before the first track or starts it inside the fields
    // before the table.
    if (tableEnd > D88Image::headerSize ||
        tableEnd < D88Image::trackTableField + D88Image::trackEntryBytes) {
        return false;
    }
    // The fields from the first track on are that track's bytes, not entries.
    for (int32_t t = 0; D88Image::trackTableField + D88Image::trackEntryBytes * (t + 1) <= tableEnd;
         ++t) {
        int32_t entry = image.trackOffset(t);
        if (entry < 0 || entry > unsignedSize(image)) {
            return false;
        }
    }
    return true;
}
// Whether the file is `length` bytes long; a stream is read up to one byte past.
bool fileLengthIs(D88Image& image, int64_t length) {
    const int64_t known = image.knownFileLength();
    if (known >= 0) {
        return known == length;
    }
    return image.fileHoldsByteAt(length - 1) && !image.fileHoldsByteAt(length);
}

// The raw sector image whose length the file has, else `fault` itself.
HeaderFault rawImageOr(D88Image& image, HeaderFault fault) {
    for (const RawSectorImage& raw : rawSectorImages) {
        if (fileLengthIs(image, raw.length())) {
            return raw.fault;
        }
    }
    return fault;
}

// The fault before the file's length is looked at.
HeaderFault headerFault(D88Image& image) {
    if (image.diskCount() == 0 || !image.selectDisk(0)) {
        return HeaderFault::noDisk;
    }
    if (unsignedSize(image) < D88Image::headerSize) {
        return HeaderFault::sizeBelowHeader;
    }
    if (trackTableFits(image)) {
        return HeaderFault::none;
    }
    if (mediaNameOf(image.mediaType()) == nullptr) {
        return HeaderFault::unknownMedia;
    }
    if (!image.fileHoldsByteAt(unsignedSize(image) - 1)) {
        return HeaderFault::sizePastFile;
    }
    return HeaderFault::none;
}

// "327,680": a length as people write it.
std::string groupedDigits(int64_t value) {
    std::string digits = std::to_string(value);
    for (int64_t at = static_cast<int64_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

std::string rawImageReason(const RawSectorImage& raw) {
    return groupedDigits(raw.length()) + " bytes, the size of a raw " + raw.name +
           " sector image (" + std::to_string(raw.cylinders) + " x " +
           std::to_string(raw.heads) + " x " + std::to_string(raw.sectorsPerTrack) + " x " +
           std::to_string(raw.sectorBytes) + ")";
}
}  // namespace

HeaderFault firstHeaderFault(D88Image& image) {
    const HeaderFault fault = headerFault(image);
    return fault == HeaderFault::none ? fault : rawImageOr(image, fault);
}

FirstHeader checkFirstHeader(D88Image& image) {
    FirstHeader first;
    first.fault = firstHeaderFault(image);
    first.size = static_cast<uint32_t>(image.diskSize());
    first.media = image.mediaType();
    return first;
}

std::string faultReason(HeaderFault fault, uint32_t firstSize, int32_t firstMedia) {
    const std::string header =
        "a disk header (" + counted(D88Image::headerSize, "byte", "bytes") + ")";
    const std::string size = counted(firstSize, "byte", "bytes");
    const std::string tableOutside = "disk 1's track table points outside the disk, and ";
    for (const RawSectorImage& raw : rawSectorImages) {
        if (raw.fault == fault) {
            return rawImageReason(raw);
        }
    }
    switch (fault) {
    case HeaderFault::none:
    default:
        break;
    case HeaderFault::noDisk:
        return "no disk: the file is shorter than " + header;
    case HeaderFault::sizeBelowHeader:
        return "disk 1's size, " + size + ", is smaller than " + header;
    case HeaderFault::unknownMedia: {
        char media[16];
        std::snprintf(media, sizeof media, "0x%02X", static_cast<unsigned>(firstMedia));
        return tableOutside + "its media byte " + media + " is none a D88 writer uses";
    }
    case HeaderFault::sizePastFile:
        return tableOutside + "its size, " + size + ", runs past the end of the file";
    }
    return "";
}

std::string notD88Reason(const std::string& form, HeaderFault fault, uint32_t firstSize,
                         int32_t firstMedia) {
    return form.empty() ? faultReason(fault, firstSize, firstMedia) : form;
}
