#include "imaging/Histogram.h"

#include "imaging/Raster.h"

#include <QPainter>
#include <algorithm>

namespace quorvane {

namespace {

// c + c x k rounded to single precision, clamped to 0-255, truncated.
int CorrectChannel(int c, float k) {
    float v = static_cast<float>(c + c * static_cast<double>(k));
    v = std::clamp(v, 0.0f, 255.0f);
    return static_cast<int>(v);
}

void Count(Histogram::Bin* table, int r, int g, int b) {
    ++table[(r + g + b) / 3][0];
    ++table[r][1];
    ++table[g][2];
    ++table[b][3];
}

} // namespace

int Histogram::ApplyColourCorrection(QImage& bitmap, int x0, int y0, int x1, int y1, float red,
                                     float green, float blue) {
    if (bitmap.isNull() || bitmap.width() >= kMaxHistogramWidth)
        return -1;
    const float kR = red * 0.01f, kG = green * 0.01f, kB = blue * 0.01f;
    tables_[Corrected].fill(Bin{});
    ArgbPixels pixels(bitmap);
    const int left = std::max(0, x0), right = std::min(x1, pixels.width() - 1);
    const int top = std::max(0, y0), bottom = std::min(y1, pixels.height() - 1);
    for (int y = top; y <= bottom; ++y) {
        QRgb* row = pixels.row(y);
        for (int x = left; x <= right; ++x) {
            const int r = CorrectChannel(qRed(row[x]), kR);
            const int g = CorrectChannel(qGreen(row[x]), kG);
            const int b = CorrectChannel(qBlue(row[x]), kB);
            row[x] = qRgba(r, g, b, 255);
            Count(tables_[Corrected].data(), r, g, b);
        }
    }
    return 0;
}

int Histogram::CountHistogram(const QImage& bitmap) {
    if (bitmap.width() >= kMaxHistogramWidth)
        return -1;
    tables_[Uncorrected].fill(Bin{});
    tables_[Corrected].fill(Bin{});
    const QImage argb = bitmap.format() == QImage::Format_ARGB32
                            ? bitmap
                            : bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            Count(tables_[Uncorrected].data(), qRed(row[x]), qGreen(row[x]), qBlue(row[x]));
    }
    return 0;
}

void Histogram::DrawHistogram(Table table, QImage& picture) {
    const auto& bins = tables_[table];
    int64_t maximum = 0;
    for (int i = 1; i <= 254; ++i)
        if (bins[i][0] > 0)
            maximum = std::max<int64_t>(maximum, *std::max_element(bins[i].begin(), bins[i].end()));
    if (table == Uncorrected)
        scale_ = maximum;
    else
        maximum = scale_;
    if (maximum <= 0)
        return;
    if (picture.size() != QSize(kWidth, kHeight) || picture.format() != QImage::Format_ARGB32)
        picture = QImage(kWidth, kHeight, QImage::Format_ARGB32);
    picture.fill(0xffffffffu);
    QPainter painter(&picture);
    const QRgb colours[] = {0x80ff0000u, 0x8000ff00u, 0x800000ffu};
    for (int pass = 0; pass < 3; ++pass) {
        painter.setPen(QPen(QColor::fromRgba(colours[pass]), 1));
        for (int i = 0; i < 256; ++i) {
            const int64_t bar = std::min<int64_t>(bins[i][pass + 1] * int64_t{128} / maximum, 129);
            if (bar > 0)
                painter.drawLine(i + 1, 129, i + 1, static_cast<int>(129 - bar));
        }
    }
}

} // namespace quorvane
