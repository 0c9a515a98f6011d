#ifndef QUELT_LISTER_LIST_IMAGE_H
#define QUELT_LISTER_LIST_IMAGE_H

#include "image/file_source.h"

// One whole run of quelt-ls on its command line: prints every disk of the image
// with its header, its tracks, what quelt's recognition makes of it and its
// directory, then which disk quelt takes for each role. Reads only; writes no
// file. Returns the exit status: 0 when the image opened and the listing could
// all be written, 1 otherwise.
// `opener`, when given, opens the images (the fuzz targets' in memory).
int listImage(int argc, char** argv, SourceOpener* opener = nullptr);

#endif
