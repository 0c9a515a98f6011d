#ifndef QUELT_LISTER_QUELT_VERDICT_H
#define QUELT_LISTER_QUELT_VERDICT_H

#include "image/d88_image.h"
#include "lister/image_facts.h"

// What quelt makes of the whole image, by the passes' own rule
// (recognition/disk_roles.h) over the facts gathered of each disk: the disks it
// takes for each role (facts.picks) and the files it would write from bytes it
// could not all read (facts.damagedOutputs). Reads the fixed sector runs quelt
// cuts into `loadBuffer` (workBufferSize bytes), selecting disks of `image`;
// reads no directory.
void judgeImage(D88Image& image, ImageFacts& facts, uint8_t* loadBuffer);

#endif
