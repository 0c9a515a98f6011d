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
};

// Judges disk 1's header, which it leaves selected when there is one.
HeaderFault firstHeaderFault(D88Image& image);

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
