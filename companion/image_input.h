#ifndef QUELT_COMPANION_IMAGE_INPUT_H
#define QUELT_COMPANION_IMAGE_INPUT_H

// How a companion opens its IMAGE operand: "-" is standard input (a pipe or a
// redirected file), as with other command-line tools; any other operand is a
// file's name. A failure comes with the system's reason.

#include "companion/diagnostics.h"
#include "image/d88_image.h"

constexpr char standardInputOperand[] = "-";

// Opens `operand` into `image`. Returns false, with the reason in `why`, when it
// cannot be opened or read (a folder cannot). On POSIX standard input is read
// through /dev/stdin; on Windows, which has no such name, standard input is first
// copied (in binary mode) to a temporary file that is removed when the program
// exits, once `image` has been closed (Windows keeps an open file).
bool openImage(D88Image& image, const char* operand, SystemError& why);

#endif
