// Writes a ZIP (deflated) of the files named, each under its name without its
// folders, for tools/bench-collection.sh's collection kept in ZIPs.
//
//   make_zip OUT.zip FILE...
#include <cstdio>
#include <filesystem>
#include <vector>

#include "samples/archive_builder.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_zip OUT.zip FILE...\n");
        return 2;
    }
    std::vector<d88build::ArchiveMember> members;
    for (int i = 2; i < argc; ++i) {
        members.push_back(
            {std::filesystem::path(argv[i]).filename().string(), d88build::readFile(argv[i])});
    }
    const d88build::Bytes zip = d88build::archiveOf(d88build::ArchiveForm::zip, members);
    return d88build::writeFile(argv[1], zip) ? 0 : 1;
}
