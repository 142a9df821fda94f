#include "imaging/DecodeNeeds.h"

#include <QImage>
#include <algorithm>

namespace quorvane {

namespace {

int64_t CeilDiv(int64_t value, int64_t by) {
    return (value + by - 1) / by;
}

int64_t RoundUp(int64_t value, int64_t to) {
    return CeilDiv(value, to) * to;
}

// Bytes of a QImage: its rows are padded to whole 32-bit words.
int64_t BitmapBytes(int64_t width, int64_t height, int bytesPerPixel) {
    return RoundUp(width * bytesPerPixel, 4) * height;
}

int Sampling(int factor) {
    return std::clamp(factor, 1, 4);
}

int64_t JpegBytes(const JpegStructure& s, int factor, bool turned) {
    int hMax = 1, vMax = 1;
    for (const JpegStructure::Component& c : s.components) {
        hMax = std::max(hMax, Sampling(c.h));
        vMax = std::max(vMax, Sampling(c.v));
    }
    const auto count = static_cast<int64_t>(s.components.size());
    int64_t coefficients = 0, rows = 0;
    for (const JpegStructure::Component& c : s.components) {
        const int h = Sampling(c.h), v = Sampling(c.v);
        // The component's 8 x 8 blocks, in whole units of h x v blocks as the decoder keeps them.
        const int64_t across = RoundUp(CeilDiv(int64_t{s.width} * h, int64_t{8} * hMax), h);
        const int64_t down = RoundUp(CeilDiv(int64_t{s.height} * v, int64_t{8} * vMax), v);
        coefficients += across * down * 64 * 2;
        rows += across * 8 * (int64_t{8} * v) * 3; // three rows of units of samples, at full size
    }
    const int64_t width = CeilDiv(s.width, factor), height = CeilDiv(s.height, factor);
    rows += width * 8 * vMax * count + width * 4; // upsampled rows and the reader's row
    const int bytesPerPixel = count == 1 ? 1 : 4;
    const int64_t bitmap = BitmapBytes(width, height, bytesPerPixel);
    int64_t total = rows + bitmap;
    if (s.multiScan())
        total += coefficients;
    if (turned)
        total += bitmap;
    if (bytesPerPixel != 4)
        total += BitmapBytes(width, height, 4);
    return total;
}

} // namespace

int64_t DecodeNeeds::bytes(int factor) const {
    if (jpeg.frame)
        return JpegBytes(jpeg, std::max(1, factor), turned);
    if (codec) {
        const int f = reducible ? std::max(1, factor) : 1;
        const int64_t bitmap =
            BitmapBytes(std::max(0, size.width()) / f, std::max(0, size.height()) / f, 4);
        return decoderBytes + bitmap * (1 + (turned ? 1 : 0) + (converted ? 1 : 0));
    }
    const int64_t w = std::max(0, size.width()), h = std::max(0, size.height());
    const int64_t bitmap = BitmapBytes(w, h, bytesPerPixel);
    return bitmap + (turned ? bitmap : 0) + (converted ? BitmapBytes(w, h, 4) : 0);
}

bool DecodeNeeds::allowed(int factor) const {
    return known && !jpeg.tooManyScans() && bytes(factor) <= kPhotoDecodeLimit;
}

DecodeNeeds ReadDecodeNeeds(const JpegStructure& jpeg, QImageReader& reader) {
    DecodeNeeds needs;
    needs.jpeg = jpeg;
    needs.size = reader.size();
    needs.known = needs.size.isValid();
    needs.turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    // A header that could not be read leaves nothing to count; Qt's JPEG reader then answers
    // the format question with a value that is no format at all.
    if (jpeg.frame || !needs.known)
        return needs;
    // A reader that does not tell the format it makes (GIF), or tells one out of range (a damaged
    // file), is counted as 32-bit with a copy.
    QImage::Format format = reader.imageFormat();
    if (format <= QImage::Format_Invalid || format >= QImage::NImageFormats)
        format = QImage::Format_Invalid;
    const int bits = format == QImage::Format_Invalid
                         ? 32
                         : static_cast<int>(QImage::toPixelFormat(format).bitsPerPixel());
    needs.bytesPerPixel = std::max(1, bits / 8);
    needs.converted = format == QImage::Format_Invalid || bits != 32;
    return needs;
}

DecodeNeeds CodecDecodeNeeds(const CodecHeader& header) {
    DecodeNeeds needs;
    needs.known = header.valid();
    needs.size = header.stored;
    needs.codec = true;
    needs.decoderBytes = header.decoderBytes;
    needs.reducible = header.reducible;
    needs.converted = header.converted;
    needs.turned = header.transformation != QImageIOHandler::TransformationNone;
    return needs;
}

} // namespace quorvane
