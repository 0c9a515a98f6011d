#ifndef QUELT_IMAGE_D88_IMAGE_SEAM_H
#define QUELT_IMAGE_D88_IMAGE_SEAM_H

#include "image/d88_image.h"
#include "image/file_reader.h"
#include "image/record_index.h"

// What the tests and fuzz targets reach of a D88Image beyond the programs'
// interface: the record index's limits, so that small images take every path of
// it, and the work its reading has cost, so that a test can bound it.
struct D88ImageSeam {
    // Other limits from the next open on.
    static void setRecordLimits(D88Image& image, const RecordIndex::Limits& limits) {
        image.recordIndex_->setLimits(limits);
    }
    // What reading the open file has cost so far.
    static FileReader::Work work(const D88Image& image) { return image.file_.work(); }
};

#endif
