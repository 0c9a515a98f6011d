#ifndef QUELT_COMPANION_IMAGE_INPUT_H
#define QUELT_COMPANION_IMAGE_INPUT_H

// How a companion opens its IMAGE operand: "-" is standard input (a pipe or a
// redirected file), as with other command-line tools; any other operand is a
// file's name. A failure comes with the system's reason.

#include <memory>

#include "companion/diagnostics.h"
#include "image/byte_source.h"
#include "image/d88_image.h"
#include "image/file_source.h"

constexpr char standardInputOperand[] = "-";

// The bytes of `operand`, opened once. On POSIX standard input is read through
// /dev/stdin, so that a redirected file is read where it lies; on Windows, which
// has no such name, it is read in binary mode as a stream, through the one
// temporary copy every stream is read by (image/stream_copy.h). Null, with the
// reason in `why`, when the operand cannot be opened or read (a folder cannot).
// `opener`, when given, opens the operand instead of the file system (the fuzz
// targets' images in memory).
std::unique_ptr<ByteSource> openOperand(const char* operand, SystemError& why,
                                        SourceOpener* opener = nullptr);

// The path `operand` is opened by, which a writer must never write over:
// /dev/stdin for "-" on POSIX (a redirected file is that file), none on Windows.
const char* pathOfOperand(const char* operand);

// Opens `operand` into `image` by openOperand; false, with the reason in `why`,
// when it cannot be.
bool openImage(D88Image& image, const char* operand, SystemError& why);

#endif
