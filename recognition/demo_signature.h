#ifndef QUELT_RECOGNITION_DEMO_SIGNATURE_H
#define QUELT_RECOGNITION_DEMO_SIGNATURE_H

#include "image/d88_image.h"

// The demo disk carries this text at the start of sector 8 of track 0, as
// Shift_JIS bytes: "Ｖ２モードでしか動かないよ！！" (30 bytes, no NUL counted).
constexpr char demoSignature[] =
    "\x82\x75\x82\x51\x83\x82\x81\x5B\x83\x68\x82\xC5\x82\xB5\x82\xA9\x93\xAE\x82\xA9\x82\xC8"
    "\x82\xA2\x82\xE6\x81\x49\x81\x49";
constexpr int demoSignatureLength = sizeof demoSignature - 1;
static_assert(demoSignatureLength == 30, "the demo signature is 30 bytes");

// Whether the selected disk is a demo disk: sector 8 of track 0 supplies at least
// the 30 signature bytes and begins with them. The sector's bytes land at the
// start of `buffer`, workBufferSize bytes, either way: in quelt's run that is
// workBuffer.
bool carriesDemoSignature(D88Image& image, uint8_t* buffer);

#endif
