#ifndef QUELT_TOOL_DEMO_SIGNATURE_H
#define QUELT_TOOL_DEMO_SIGNATURE_H

#include "image/d88_image.h"

// Whether the selected disk is a demo disk: sector 8 of track 0 supplies at least
// the 30 signature bytes and begins with them. The sector's bytes land at the
// start of workBuffer either way.
bool carriesDemoSignature(D88Image& image);

#endif
