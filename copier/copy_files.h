#ifndef QUELT_COPIER_COPY_FILES_H
#define QUELT_COPIER_COPY_FILES_H

#include "copier/copy_writer.h"
#include "image/file_source.h"

// One whole run of quelt-cp on its command line, IMAGE DISK [NAME [OUTPUT]]:
// copies the file NAME of disk DISK (1-based) to OUTPUT (by default a file named
// for it in the current folder; "-" is standard output), or with NAME left out
// every file of the disk into the current folder. Returns the exit status: 0
// when every file was copied whole, 1 otherwise.
// The copies go through `writer`; `opener`, when given, opens the image (the
// fuzz targets' in memory).
int runCopy(int argc, char** argv, CopyWriter& writer, SourceOpener* opener = nullptr);

#endif
