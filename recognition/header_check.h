#ifndef QUELT_RECOGNITION_HEADER_CHECK_H
#define QUELT_RECOGNITION_HEADER_CHECK_H

#include <cstdint>
#include <string>

#include "image/d88_image.h"

// Why the file's first disk header cannot be one that a D88 writer made for
// this file. An image cut short, or one of another system, has a writer's
// header all the same and is `none`.
enum class HeaderFault {
    none,
    noDisk,           // the file is shorter than one header
    sizeBelowHeader,  // the disk's size leaves no room for its own header
    unknownMedia,     // a track table that cannot be, and a media byte no writer uses
    sizePastFile,     // a track table that cannot be, and a size past the file's end
    // Any of the above in a file whose length is that of a raw sector image
    // (rawSectorImages): most likely such an image, named .d88.
    raw2D,
    raw2DD,
    raw2HD,
    raw720K,
    raw1200K,
    raw1440K,
    rawHdm,
};

// The raw sector images whose length alone says what a file that is no D88
// image likely is: every sector of every track one after another.
struct RawSectorImage {
    HeaderFault fault;
    const char* name;
    int32_t cylinders;
    int32_t heads;
    int32_t sectorsPerTrack;
    int32_t sectorBytes;

    int64_t length() const {
        return int64_t{cylinders} * heads * sectorsPerTrack * sectorBytes;
    }
};
constexpr RawSectorImage rawSectorImages[] = {
    {HeaderFault::raw2D, "2D", 40, 2, 16, 256},
    {HeaderFault::raw2DD, "2DD", 80, 2, 16, 256},
    {HeaderFault::raw720K, "720 KB", 80, 2, 9, 512},
    {HeaderFault::raw2HD, "2HD", 77, 2, 26, 256},
    {HeaderFault::raw1200K, "1.2 MB", 80, 2, 15, 512},
    {HeaderFault::rawHdm, "HDM", 77, 2, 8, 1024},
    {HeaderFault::raw1440K, "1.44 MB", 80, 2, 18, 512},
};

// Judges disk 1's header, which it leaves selected when there is one. A file
// with a fault is read as far as the longest raw sector image reaches, to learn
// whether its length is one's.
HeaderFault firstHeaderFault(D88Image& image);

// Disk 1's header as the check finds it: the fault, and the size field and
// media byte that a fault's reason names, so that no caller reads them from
// whichever disk the check left selected.
struct FirstHeader {
    HeaderFault fault = HeaderFault::none;
    uint32_t size = 0;
    int32_t media = 0;
};
FirstHeader checkFirstHeader(D88Image& image);

// What a file that is no D88 image is called, before the reason; quelt-ls and
// quelt-cp say it alike.
constexpr char notD88Prefix[] = "not a D88 image: ";

// The reason a fault gives, without notD88Prefix before it, filled with disk
// 1's size field and media byte.
std::string faultReason(HeaderFault fault, uint32_t firstSize, int32_t firstMedia);

// The reason after notD88Prefix for a file whose first header has `fault`: the
// compressed or archived form its bytes are in when they are one that could
// not be read (`form`, such as "gzip data"; empty for none), else faultReason.
std::string notD88Reason(const std::string& form, HeaderFault fault, uint32_t firstSize,
                         int32_t firstMedia);

#endif
