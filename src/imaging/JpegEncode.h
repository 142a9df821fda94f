// JPEG encoding of finished pages with a quality. The encoded data begin with SOI and a JFIF APP0
// segment, which the page writer's resolution stamp rewrites in place; an APP2 segment with a
// small sRGB ICC profile follows it, so that print drivers and viewers do not guess the colours.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace quorvane {

// The bitmap encoded as baseline JPEG at the quality (clamped into 0..100). nullopt when the
// bitmap is null or the encoder fails.
std::optional<QByteArray> EncodeJpeg(const QImage& bitmap, int quality);

// Encodes the bitmap and writes it to the path atomically: the file is either complete or left
// as it was. False on any failure; the reason goes to *error when given.
bool SaveJpeg(const QImage& bitmap, const QString& path, int quality, QString* error = nullptr,
              int* errorCode = nullptr);

} // namespace quorvane
