#ifndef QUELT_IMAGE_FILE_SOURCE_H
#define QUELT_IMAGE_FILE_SOURCE_H

#include <filesystem>
#include <memory>

#include "image/byte_source.h"

// The source of the image file at `path`, opened once for binary reading. A
// file that can seek is read where it lies; one that cannot (a pipe, a FIFO, a
// terminal) through a temporary copy (stream_copy.h). (Windows' C runtime may
// let a pipe seek; such a pipe is then read as a file.) Null when the path does
// not open, cannot be read at all (a folder, for example), or cannot seek and no
// temporary copy can be made.
std::unique_ptr<ByteSource> openPathSource(const char* path);
// The same for a path in the system's own form (UTF-16 on Windows, where the
// companions give the extended-length form that reaches past 260 characters).
std::unique_ptr<ByteSource> openNativePathSource(const std::filesystem::path& path);

// Opens the source a path names. D88Image opens the file system's files
// (openPathSource); the fuzz targets give it their images in memory instead
// (d88_image_seam.h).
class SourceOpener {
public:
    virtual ~SourceOpener() = default;
    virtual std::unique_ptr<ByteSource> open(const char* path) = 0;
};

#endif
