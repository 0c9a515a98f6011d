#ifndef QUELT_IMAGE_D88_IMAGE_SEAM_H
#define QUELT_IMAGE_D88_IMAGE_SEAM_H

#include "image/d88_image.h"
#include "image/record_index.h"

// What the fuzz targets reach of a D88Image beyond the programs' interface:
// other record-index limits for an image that lives longer than one input (the
// programs' own, made at process start), sampled input by input. Any other
// image takes its limits as a constructor argument.
struct D88ImageSeam {
    // Other limits from the next open on.
    static void setRecordLimits(D88Image& image, const RecordIndex::Limits& limits) {
        image.recordIndex_->setLimits(limits);
    }
};

#endif
