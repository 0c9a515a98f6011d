#ifndef QUELT_TOOL_WRITERS_DISK_IMAGE_H
#define QUELT_TOOL_WRITERS_DISK_IMAGE_H

#include "image/d88_image.h"

// The one image the run reads. It exists for the whole process, so its
// destructor closes the image file on every way out, std::exit included.
extern D88Image diskImage;

#endif
