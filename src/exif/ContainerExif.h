// Where photos that are not JPEG keep their EXIF TIFF structure (the Exif item of a HEIF or AVIF
// file, the EXIF chunk of a WebP file, a TIFF file itself), put into the buffer behind the head a
// camera JPEG has, so that the TIFF header lies at 12 and every later step reads as for a JPEG.
#pragma once

#include "exif/ExifBuffer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane::exif {

enum class Container { kJpeg, kHeif, kWebp, kTiff, kOther };

// The kind of file the first bytes show (at least 32 of them are needed to tell HEIF brands).
Container ContainerOf(const ExifBuffer& head);

// The 12 bytes a camera JPEG has before its TIFF header: SOI, APP1, its length, "Exif" 00 00.
std::string JpegExifHead();

// Replaces the buffer's contents (the head of a HEIF, WebP or TIFF file read from `path`) with
// JpegExifHead and the file's TIFF structure: the Exif item or chunk, at most kSize - 12 bytes of
// it; for a TIFF file the file itself, with windows for the directories, their values and the
// maker note where they lie past the head. Without one the buffer holds the head alone. False
// when the file cannot be read as that kind.
bool LoadContainerExif(const std::string& path, Container container, ExifBuffer& buffer);

// The Orientation (tag 274 of IFD0, 1-8) of a TIFF structure in memory; 1 when it has none or an
// invalid one.
int TiffOrientation(std::string_view tiff);

} // namespace quorvane::exif
