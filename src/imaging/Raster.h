// Bitmaps of the pages, photos and previews: creation, loading, scaling, copying and rotation.
// Every bitmap these functions return is a QImage in Format_ARGB32 (pixels 0xAARRGGBB); a null
// QImage (width and height 0) reports a failure.
#pragma once

#include "imaging/CancellableDevice.h"

#include <QIODevice>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>
#include <cstdint>

namespace quorvane {

// The largest bitmap edge in pixels that the canvas accepts (QPainter's raster engine limit).
inline constexpr int kMaxBitmapSize = 32767;
inline int MaxBitmapSize() {
    return kMaxBitmapSize;
}

// Memory allowed for decoding one photo, in megabytes (about 268 million pixels).
inline constexpr int kPhotoAllocationLimitMb = 1024;

// A bitmap of the given size, every pixel 0x00000000. Null when either edge is below 1 or above
// kMaxBitmapSize, or when the memory cannot be allocated; the caller reports its own message.
QImage CreateBitmap(int width, int height);

// Every pixel becomes the colour.
void Clear(QImage& bitmap, QRgb colour);

// Whether a photo of this pixel size may be decoded: its full-size pixels fit in
// kPhotoAllocationLimitMb. A header claiming more is refused before any pixel is decoded, even
// when the photo would be decoded reduced: the decoder's own buffers for a progressive JPEG grow
// with the full size (a 60000 x 60000 header on a few bytes asked for 21 GB).
bool WithinPhotoLimit(const QSize& size);

// Raises the decoder's memory limit to kPhotoAllocationLimitMb for the whole program, once
// (Qt's default refuses photos of more than about 32 million pixels). Safe from any thread.
void AllowLargePhotos();

// A JPEG, PNG, GIF (first frame), HEIF, AVIF, WebP or TIFF file, open on `device` (a file, read
// from its current position, its kind told by its content), decoded at its pixel size, turned
// upright by its orientation and converted into sRGB from an embedded profile (see
// ColourProfile.h). Null when it is unreadable or damaged, larger than kPhotoAllocationLimitMb,
// needs more than kPhotoDecodeLimit bytes to decode or holds more than kMaxJpegScans scans
// (refused before decoding), or when `cancelled` said stop while it was decoded; the reason goes
// to *error when given. Files are opened by the caller (see OpenLocalFile), so that no name opens
// a pipe.
QImage LoadImageFile(QIODevice& device, QString* error = nullptr,
                     const CancelCheck& cancelled = {});

// A new bitmap of exactly width x height holding the whole source scaled into it (smooth
// resampling, aspect ratio not kept). Null for an empty source or a size outside 1..kMaxBitmapSize.
QImage ScaledCopy(const QImage& source, int width, int height);

// Copies the pixels of rect in source, unscaled, to target's top-left corner (or to `at`): source
// pixel (rect.x() + i, rect.y() + j) goes to target pixel (at.x() + i, at.y() + j). Parts of rect
// outside the source or beyond the target are left out; alpha is copied, not blended. False when
// nothing could be copied.
bool CopyRect(const QImage& source, const QRect& rect, QImage& target, const QPoint& at = {});

// The pixels of rect (which must lie inside the bitmap) as a bitmap of their own that shares the
// source's memory, read-only: no pixel is copied. The source must outlive it.
QImage RectView(const QImage& source, const QRect& rect);

// The top-left part of the bitmap as a bitmap of its own: it shares the source's pixels, without
// copying them, and keeps them alive; drawing on it draws on them. Null for a size outside the
// source.
QImage TopLeftPart(QImage source, const QSize& size);

// A Format_ARGB32 bitmap's pixels read as opaque (Format_RGB32, alpha ignored), sharing its
// memory read-only like RectView; any other bitmap as it is.
QImage OpaqueView(const QImage& source);

// A new bitmap of rect's size holding those pixels of source (pixels outside the source are
// 0x00000000). Null for an empty rect or when the memory cannot be allocated.
QImage CutOut(const QImage& source, const QRect& rect);

// The source rotated about its centre by degrees, positive clockwise. The bitmap grows to the
// rotated bounds (90° turns a w x h bitmap into h x w); corners not covered are 0x00000000.
// Callers shift their rectangles by half the growth, (new size − old size) / 2.
QImage Rotated(const QImage& source, double degrees);

// Direct 32-bit ARGB access to a bitmap: constructed once (which converts the bitmap to
// Format_ARGB32 if needed and makes its pixels its own), then read and written per pixel.
class ArgbPixels {
  public:
    explicit ArgbPixels(QImage& bitmap);
    int width() const { return width_; }
    int height() const { return height_; }
    // Row y, width() pixels; y must be in 0..height()-1.
    QRgb* row(int y) {
        return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
    }
    const QRgb* row(int y) const {
        return reinterpret_cast<const QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
    }
    QRgb& at(int x, int y) { return row(y)[x]; }
    QRgb at(int x, int y) const { return row(y)[x]; }

  private:
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace quorvane
