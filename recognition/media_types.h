#ifndef QUELT_RECOGNITION_MEDIA_TYPES_H
#define QUELT_RECOGNITION_MEDIA_TYPES_H

#include <cstdint>

// The media bytes that D88 writers put in a disk header, with their names.
struct MediaName {
    int32_t type;
    const char* name;
};
constexpr MediaName mediaNames[] = {
    {0x00, "2D"}, {0x10, "2DD"}, {0x20, "2HD"}, {0x30, "1D"}, {0x40, "1DD"}};

// The name of media byte `type`; nullptr when no writer uses it.
inline const char* mediaNameOf(int32_t type) {
    for (const MediaName& media : mediaNames) {
        if (media.type == type) {
            return media.name;
        }
    }
    return nullptr;
}

#endif
