#ifndef QUELT_IMAGE_D88_IMAGE_SEAM_H
#define QUELT_IMAGE_D88_IMAGE_SEAM_H

#include "image/d88_image.h"
#include "image/file_reader.h"
#include "image/record_index.h"

// What the tests and fuzz targets reach of a D88Image beyond the programs'
// interface: the record index's limits, so that small images take every path of
// it, the opener of its paths, so that a run reads its image from memory, and
// the work its reading has cost, so that a test can bound it.
struct D88ImageSeam {
    // Other limits from the next open on.
    static void setRecordLimits(D88Image& image, const RecordIndex::Limits& limits) {
        image.recordIndex_->setLimits(limits);
    }
    // The paths open(path) opens from the next open on come from `opener`
    // (null: the file system's).
    static void openPathsWith(D88Image& image, SourceOpener* opener) { image.opener_ = opener; }
    // What reading the open file has cost so far.
    static FileReader::Work work(const D88Image& image) { return image.file_.work(); }
};

#endif
