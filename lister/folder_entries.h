#ifndef QUELT_LISTER_FOLDER_ENTRIES_H
#define QUELT_LISTER_FOLDER_ENTRIES_H

#include <string>
#include <vector>

// One name in a folder, and what -r does with it.
struct FolderEntry {
    // `other`: a link to a folder (not followed, so that a link back up cannot
    // make a walk endless), a FIFO, a socket, a device (reading one could wait
    // for ever).
    enum class Kind { file, folder, other };
    std::string name;
    Kind kind = Kind::other;
};

// The names in `folder` but "." and "..", in no order: a regular file or a
// link to one is a file. False, with the system's reason in `why`, when the
// folder cannot be read. On Windows the folder is read through its
// extended-length path, so that folders past 260 characters are read too.
bool readFolder(const std::string& folder, std::vector<FolderEntry>& entries, std::string& why);

#endif
