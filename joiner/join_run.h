#ifndef QUELT_JOINER_JOIN_RUN_H
#define QUELT_JOINER_JOIN_RUN_H

#include "copier/copy_writer.h"
#include "image/file_source.h"

// quelt-join's run: the command line, the operands' disks, the joined image
// written to OUTPUT (all or nothing) or standard output; the exit status (0:
// written; 1: not, and an OUTPUT there before left as it was). OUTPUT is
// written through `writer`; `opener`, when given, opens the files instead of
// the file system.
int joinImages(int argc, char** argv, CopyWriter& writer, SourceOpener* opener = nullptr);

#endif
