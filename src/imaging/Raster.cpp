#include "imaging/Raster.h"

#include "imaging/CmykJpeg.h"
#include "imaging/CodecPhoto.h"
#include "imaging/ColourProfile.h"
#include "imaging/DecodeNeeds.h"
#include "imaging/PngProfile.h"

#include <QImageReader>
#include <QTransform>
#include <cmath>
#include <cstring>
#include <mutex>

namespace quorvane {

namespace {

bool EdgeAllowed(int edge) {
    return edge >= 1 && edge <= kMaxBitmapSize;
}

// The bitmap in Format_ARGB32; a null image when the conversion cannot allocate its memory.
QImage AsArgb32(QImage image) {
    if (!image.isNull() && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    return image;
}

QImage Load(QImageReader& reader, QString* error) {
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    image = AsArgb32(std::move(image));
    if (image.isNull() && error)
        *error = QStringLiteral("out of memory");
    return image;
}

} // namespace

QImage CreateBitmap(int width, int height) {
    if (!EdgeAllowed(width) || !EdgeAllowed(height))
        return {};
    QImage bitmap(width, height, QImage::Format_ARGB32);
    if (bitmap.isNull())
        return {};
    bitmap.fill(0u);
    return bitmap;
}

void Clear(QImage& bitmap, QRgb colour) {
    if (bitmap.isNull())
        return;
    if (bitmap.format() != QImage::Format_ARGB32)
        bitmap.convertTo(QImage::Format_ARGB32);
    bitmap.fill(static_cast<uint>(colour));
}

bool WithinPhotoLimit(const QSize& size) {
    return size.isValid() &&
           int64_t{size.width()} * size.height() * 4 <= int64_t{kPhotoAllocationLimitMb} << 20;
}

void AllowLargePhotos() {
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(kPhotoAllocationLimitMb); });
}

namespace {

// A kind read through CodecPhoto.h, at full size.
QImage LoadCodecFile(QIODevice& device, QString* error, const CancelCheck& cancelled) {
    CancellableDevice input(device, cancelled);
    const CodecHeader header = ReadCodecHeader(input);
    QImage image;
    if (!WithinPhotoLimit(header.stored) || !CodecDecodeNeeds(header).allowed(1)) {
        if (error)
            *error = input.cancelled() ? QStringLiteral("cancelled")
                                       : QStringLiteral("unreadable or too large to decode");
        return {};
    }
    image = DecodeCodecPhoto(input, header, 1, cancelled);
    if (input.cancelled() || (cancelled && cancelled())) {
        if (error)
            *error = QStringLiteral("cancelled");
        return {};
    }
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("damaged or not decodable");
        return {};
    }
    ConvertToSrgb(image, header.iccProfile, header.colourSpace);
    return AsArgb32(std::move(image));
}

} // namespace

QImage LoadImageFile(QIODevice& device, QString* error, const CancelCheck& cancelled) {
    AllowLargePhotos();
    if (CodecKindOf(device) != CodecKind::None)
        return LoadCodecFile(device, error, cancelled);
    const JpegStructure jpeg = ReadJpegStructure(device);
    const QByteArray profile = jpeg.jpeg ? jpeg.iccProfile : PngIccProfile(device);
    CancellableDevice input(device, cancelled, jpeg.scanStarts);
    QImageReader reader(&input);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (!ReadDecodeNeeds(jpeg, reader).allowed(1)) {
        if (error)
            *error = input.cancelled() ? QStringLiteral("cancelled")
                                       : QStringLiteral("too large or too many scans to decode");
        return {};
    }
    QImage image;
    if (IsCmykWithProfile(jpeg)) {
        const QImageIOHandler::Transformations turn = reader.transformation();
        image = input.seek(0) ? Transformed(DecodeCmykJpeg(input, jpeg, 1), turn) : QImage();
        if (image.isNull() && error)
            *error = QStringLiteral("damaged or not decodable");
        image = AsArgb32(std::move(image));
    } else {
        image = Load(reader, error);
        ConvertToSrgb(image, profile);
    }
    if (input.cancelled()) {
        if (error)
            *error = QStringLiteral("cancelled");
        return {};
    }
    return image;
}

QImage ScaledCopy(const QImage& source, int width, int height) {
    if (source.isNull() || !EdgeAllowed(width) || !EdgeAllowed(height))
        return {};
    QImage scaled = source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.width() != width || scaled.height() != height)
        return {};
    return AsArgb32(std::move(scaled));
}

bool CopyRect(const QImage& source, const QRect& rect, QImage& target, const QPoint& at) {
    if (source.isNull() || target.isNull() || rect.isEmpty())
        return false;
    const QRect inSource = rect.intersected(source.rect());
    if (inSource.isEmpty())
        return false;
    // The part of the rectangle that lands inside the target, in target coordinates.
    const QRect inTarget = inSource.translated(at - rect.topLeft()).intersected(target.rect());
    if (inTarget.isEmpty())
        return false;
    const QImage argbSource = AsArgb32(source);
    if (argbSource.isNull())
        return false;
    if (target.format() != QImage::Format_ARGB32) {
        target.convertTo(QImage::Format_ARGB32);
        if (target.isNull())
            return false;
    }
    const int sourceX = inTarget.x() - at.x() + rect.x();
    const int sourceY = inTarget.y() - at.y() + rect.y();
    const size_t rowBytes = static_cast<size_t>(inTarget.width()) * sizeof(QRgb);
    for (int j = 0; j < inTarget.height(); ++j) {
        const uchar* from = argbSource.constScanLine(sourceY + j) + sourceX * sizeof(QRgb);
        uchar* to = target.scanLine(inTarget.y() + j) + inTarget.x() * sizeof(QRgb);
        std::memmove(to, from, rowBytes);
    }
    return true;
}

QImage RectView(const QImage& source, const QRect& rect) {
    if (source.isNull() || rect.isEmpty() || !source.rect().contains(rect) || source.depth() < 8)
        return {};
    const uchar* first =
        source.constScanLine(rect.y()) + static_cast<ptrdiff_t>(rect.x()) * (source.depth() / 8);
    return QImage(first, rect.width(), rect.height(), source.bytesPerLine(), source.format());
}

QImage TopLeftPart(QImage source, const QSize& size) {
    if (source.isNull() || size.isEmpty() || !source.rect().contains(QRect(QPoint(0, 0), size)))
        return {};
    auto* owner = new QImage(std::move(source));
    uchar* pixels = owner->bits(); // the owner's own pixels: nobody else shares them
    return QImage(
        pixels, size.width(), size.height(), owner->bytesPerLine(), owner->format(),
        [](void* image) { delete static_cast<QImage*>(image); }, owner);
}

QImage OpaqueView(const QImage& source) {
    if (source.format() != QImage::Format_ARGB32)
        return source;
    return QImage(source.constBits(), source.width(), source.height(), source.bytesPerLine(),
                  QImage::Format_RGB32);
}

QImage CutOut(const QImage& source, const QRect& rect) {
    if (rect.isEmpty())
        return {};
    QImage cut = CreateBitmap(rect.width(), rect.height());
    if (cut.isNull())
        return {};
    CopyRect(source, rect, cut);
    return cut;
}

QImage Rotated(const QImage& source, double degrees) {
    if (source.isNull() || !std::isfinite(degrees))
        return {};
    // Qt's y axis points down, so a positive angle turns the picture clockwise on screen.
    QImage turned =
        AsArgb32(source).transformed(QTransform().rotate(degrees), Qt::SmoothTransformation);
    return AsArgb32(std::move(turned));
}

ArgbPixels::ArgbPixels(QImage& bitmap) {
    if (!bitmap.isNull() && bitmap.format() != QImage::Format_ARGB32)
        bitmap.convertTo(QImage::Format_ARGB32);
    if (bitmap.isNull())
        return;
    bits_ = bitmap.bits(); // detaches: the pixels belong to this bitmap alone
    stride_ = bitmap.bytesPerLine();
    width_ = bitmap.width();
    height_ = bitmap.height();
}

} // namespace quorvane
