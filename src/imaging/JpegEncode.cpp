#include "imaging/JpegEncode.h"

#include "imaging/ColourProfile.h"
#include "text/FileIO.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <algorithm>
#include <string_view>

namespace quorvane {

std::optional<QByteArray> EncodeJpeg(const QImage& bitmap, int quality) {
    if (bitmap.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return std::nullopt;
    QImageWriter writer(&buffer, "jpeg");
    // Qt treats a negative quality as its default of 75; keep the caller's intent instead.
    writer.setQuality(std::clamp(quality, 0, 100));
    // Tagged on a shallow copy: the pixels are neither copied nor changed. Qt writes the profile
    // as APP2 "ICC_PROFILE" right after its JFIF APP0.
    QImage tagged = bitmap;
    tagged.setColorSpace(QColorSpace::fromIccProfile(SrgbProfile()));
    if (!writer.write(tagged))
        return std::nullopt;
    buffer.close();
    return bytes;
}

bool SaveJpeg(const QImage& bitmap, const QString& path, int quality, QString* error,
              int* errorCode) {
    const auto bytes = EncodeJpeg(bitmap, quality);
    if (!bytes) {
        if (error)
            *error = QStringLiteral("JPEG encoding failed");
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    if (!text::WriteFileAtomically(
            std::string(name.constData(), static_cast<size_t>(name.size())),
            std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())), errorCode)) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

} // namespace quorvane
