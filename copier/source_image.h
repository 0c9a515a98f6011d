#ifndef QUELT_COPIER_SOURCE_IMAGE_H
#define QUELT_COPIER_SOURCE_IMAGE_H

#include "image/d88_image.h"

// The image quelt-cp copies from. It exists for the whole process, so that the
// writer can refuse to write over it (copier/copy_writer.h).
extern D88Image sourceImage;

#endif
