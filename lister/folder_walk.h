#ifndef QUELT_LISTER_FOLDER_WALK_H
#define QUELT_LISTER_FOLDER_WALK_H

#include <functional>
#include <string>

// Calls `onFile` with the path of every regular file (or link to one) below
// `folder`, at any depth, in the order of their names within each folder, and
// `onError` with the path and the reason of each folder that cannot be read.
// Each path is the folder's as given, then the names below it, each after the
// native separator (\ on Windows), so that it prints as the system writes it.
// Links to folders are not followed, so a link back up cannot make the walk
// endless; FIFOs, sockets and devices are passed over, since reading one could
// wait for ever.
void walkFolder(const std::string& folder, const std::function<void(const std::string&)>& onFile,
                const std::function<void(const std::string&, const std::string&)>& onError);

// Whether `path` names a folder (through a link too).
bool isFolder(const std::string& path);

#endif
