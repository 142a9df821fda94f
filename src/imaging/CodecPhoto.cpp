#include "imaging/CodecPhoto.h"

#include "imaging/CodecKinds.h"

#include <QTransform>
#include <cstring>

namespace quorvane {

namespace {

bool IsHeifBrand(const QByteArray& brand) {
    static const char* const kBrands[] = {"heic", "heix", "hevc", "hevx", "heim", "heis",
                                          "mif1", "msf1", "avif", "avis", "mif2"};
    for (const char* b : kBrands)
        if (brand == b)
            return true;
    return false;
}

// The 32-bit format a decoded photo is placed in.
QImage As32Bit(QImage image) {
    const QImage::Format format =
        image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    if (!image.isNull() && image.format() != format)
        image.convertTo(format);
    return image;
}

} // namespace

CodecKind CodecKindOf(QIODevice& device) {
    const QByteArray head = device.peek(64);
    if (head.size() < 12)
        return CodecKind::None;
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return CodecKind::Webp;
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)))
        return CodecKind::Tiff;
    if (head.mid(4, 4) == "ftyp") {
        const auto* p = reinterpret_cast<const uchar*>(head.constData());
        const qsizetype boxEnd =
            std::min<qsizetype>(head.size(), qsizetype{p[0]} << 24 | p[1] << 16 | p[2] << 8 | p[3]);
        // The major brand, then the compatible brands after the minor version.
        for (qsizetype pos = 8; pos + 4 <= boxEnd; pos += pos == 8 ? 8 : 4)
            if (IsHeifBrand(head.mid(pos, 4)))
                return CodecKind::Heif;
    }
    return CodecKind::None;
}

CodecHeader ReadCodecHeader(QIODevice& device) {
    const qint64 start = device.pos();
    CodecHeader header;
    switch (CodecKindOf(device)) {
    case CodecKind::Heif:
        header = ReadHeifHeader(device);
        break;
    case CodecKind::Webp:
        header = ReadWebpHeader(device);
        break;
    case CodecKind::Tiff:
        header = ReadTiffHeader(device);
        break;
    case CodecKind::None:
        break;
    }
    device.seek(start);
    return header;
}

QImage DecodeCodecPhoto(QIODevice& device, const CodecHeader& header, int factor,
                        const CancelCheck& cancelled, const QSize& smaller) {
    if (!header.valid())
        return {};
    QImage image;
    QSize expected = header.stored;
    switch (header.kind) {
    case CodecKind::Heif:
        if (!smaller.isEmpty())
            expected = smaller;
        image = DecodeHeif(device, header, smaller);
        break;
    case CodecKind::Webp:
        if (header.reducible && factor > 1)
            expected = QSize(header.stored.width() / factor, header.stored.height() / factor);
        image = DecodeWebp(device, header, header.reducible ? factor : 1, cancelled);
        break;
    case CodecKind::Tiff:
        image = DecodeTiff(device, header);
        break;
    case CodecKind::None:
        break;
    }
    if (image.isNull() || image.size() != expected || (cancelled && cancelled()))
        return {};
    return Transformed(As32Bit(std::move(image)), header.transformation);
}

QImageIOHandler::Transformations OrientationTransformation(int orientation) {
    switch (orientation) {
    case 2:
        return QImageIOHandler::TransformationMirror;
    case 3:
        return QImageIOHandler::TransformationRotate180;
    case 4:
        return QImageIOHandler::TransformationFlip;
    case 5:
        return QImageIOHandler::TransformationFlipAndRotate90;
    case 6:
        return QImageIOHandler::TransformationRotate90;
    case 7:
        return QImageIOHandler::TransformationMirrorAndRotate90;
    case 8:
        return QImageIOHandler::TransformationRotate270;
    default:
        return QImageIOHandler::TransformationNone;
    }
}

QImage Transformed(QImage image, QImageIOHandler::Transformations t) {
    if (image.isNull() || t == QImageIOHandler::TransformationNone)
        return image;
    const bool mirror = t & QImageIOHandler::TransformationMirror;
    const bool flip = t & QImageIOHandler::TransformationFlip;
    if (mirror || flip)
        image = image.mirrored(mirror, flip);
    if (!image.isNull() && (t & QImageIOHandler::TransformationRotate90))
        image = image.transformed(QTransform().rotate(90));
    return image;
}

} // namespace quorvane
