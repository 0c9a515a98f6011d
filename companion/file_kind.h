#ifndef QUELT_COMPANION_FILE_KIND_H
#define QUELT_COMPANION_FILE_KIND_H

// What a path names, as the companions ask it before they choose what to do
// with an operand: list a folder's files, copy into a folder, split an
// archive's path from its member's name. On Windows the path is given to the
// system in its extended-length form (companion/native_path.h), so that paths
// past 260 characters are asked about too.

#include <string>

#include "companion/diagnostics.h"

// `other`: a device, a FIFO, a socket.
enum class FileKind { none, regularFile, folder, other };

// What `path` names, through symbolic links: `none`, with the system's reason
// in `why` when it is given, when nothing can be found there.
FileKind fileKindOf(const std::string& path, SystemError* why = nullptr);

// Whether anything has the name `path` itself: a file, a folder, a link (also
// one that leads nowhere).
bool nameTaken(const std::string& path);

#endif
