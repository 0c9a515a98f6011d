#ifndef QUELT_LISTER_LISTING_OPTIONS_H
#define QUELT_LISTER_LISTING_OPTIONS_H

#include "names/shown_names.h"

// How quelt-ls prints: the form and what it adds. One set for the whole run.
enum class ListingForm { text, summary, json };

struct ListingOptions {
    ListingForm form = ListingForm::text;
    bool hashes = false;     // the text listing's hash lines (--hash)
    bool raw = false;        // entries of other systems' directories, disks of non-images (--raw)
    bool recursive = false;  // folders' images, at any depth (-r)
    NameForm names = NameForm::escaped;  // how disks' and files' names are shown
};

#endif
