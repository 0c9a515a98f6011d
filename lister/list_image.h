#ifndef QUELT_LISTER_LIST_IMAGE_H
#define QUELT_LISTER_LIST_IMAGE_H

#include <string>

#include "image/file_source.h"

// One whole run of quelt-ls on its command line: prints every disk of the image
// with its header, its tracks, what quelt's recognition makes of it and its
// directory, then which disk quelt takes for each role. Reads only; writes no
// file. Returns the exit status: 0 when every file was a D88 image, 1 when some
// file was not, 2 when some file could not be read or another failure.
// `opener`, when given, opens the images (the fuzz targets' in memory).
int listImage(int argc, char** argv, SourceOpener* opener = nullptr);

// What quelt-ls --help prints.
std::string listerHelp();

#endif
