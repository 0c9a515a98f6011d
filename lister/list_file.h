#ifndef QUELT_LISTER_LIST_FILE_H
#define QUELT_LISTER_LIST_FILE_H

#include <string>

#include "companion/run_text.h"
#include "image/d88_image.h"
#include "image/file_source.h"
#include "lister/listing_options.h"

// The exit statuses, from best to worst: the run ends with the worst it met.
enum ListerStatus { allD88 = 0, someNotD88 = 1, trouble = 2 };

// One run over its files: the options, whether each listing is headed by its
// path, how many were listed, the worst status so far, the one reader every
// image is read by, whose windows serve file after file, and where every
// line of its listings goes.
struct ListingRun {
    ListingOptions options;
    bool headings = false;
    int listed = 0;
    int status = allD88;
    SourceOpener* opener = nullptr;  // the fuzz targets' images; null: the file system's
    D88Image image;
    RunText text;

    void noteStatus(int found) { status = found > status ? found : status; }
};

// Lists the file `path` names ("-": standard input), opened once: an image, a
// compressed image (x.d88.gz), or every member of an archive, each as an image
// of its own (an archive inside one is a member like any other, not opened).
// A file or member that cannot be read is reported, and the run goes on.
void listFile(ListingRun& run, const std::string& path);

#endif
