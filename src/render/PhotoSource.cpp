#include "render/PhotoSource.h"

#include "files/LocalPath.h"
#include "imaging/CmykJpeg.h"
#include "imaging/CodecPhoto.h"
#include "imaging/ColourProfile.h"
#include "imaging/PngProfile.h"
#include "imaging/Raster.h"

#include <QImageReader>
#include <algorithm>
#include <memory>
#include <optional>

namespace quorvane {

namespace {

constexpr int kReductions[] = {8, 4, 2};

// A photo opened for reading by its exact bytes, on a device whose reads the cancel check can
// end: a kind Qt reads gets the walk over its markers and a reader, another kind its codec
// header. A file that cannot be opened leaves the reader without a device: nothing reads.
class PhotoFile {
  public:
    explicit PhotoFile(const LocalPath& path, const CancelCheck& cancelled = {})
        : file_(OpenLocalFile(path)), cancelled_(cancelled) {
        if (file_) {
            codec_ = CodecKindOf(*file_);
            if (codec_ == CodecKind::None)
                jpeg_ = ReadJpegStructure(*file_);
            input_.emplace(*file_, cancelled, jpeg_.scanStarts);
            if (codec_ != CodecKind::None)
                codecHeader_ = ReadCodecHeader(*input_);
            else if (!jpeg_.jpeg)
                pngProfile_ = PngIccProfile(*input_);
            if (codec_ == CodecKind::None)
                reader_.setDevice(&*input_);
        }
        reader_.setDecideFormatFromContent(true);
        reader_.setAutoTransform(true);
    }
    PhotoFile(const PhotoFile&) = delete;
    PhotoFile& operator=(const PhotoFile&) = delete;

    bool isCodec() const { return codec_ != CodecKind::None; }
    const CodecHeader& codecHeader() const { return codecHeader_; }
    QImageReader& reader() { return reader_; }
    DecodeNeeds needs() {
        return isCodec() ? CodecDecodeNeeds(codecHeader_) : ReadDecodeNeeds(jpeg_, reader_);
    }
    QImage decodeCodec(int factor, const QSize& smaller) {
        return input_ ? DecodeCodecPhoto(*input_, codecHeader_, factor, cancelled_, smaller)
                      : QImage();
    }
    // A CMYK JPEG with a CMYK profile, decoded by the factor through its profile, as stored.
    bool cmykWithProfile() const { return IsCmykWithProfile(jpeg_); }
    QImage decodeCmyk(int factor) {
        return input_ && input_->seek(0) ? DecodeCmykJpeg(*input_, jpeg_, factor) : QImage();
    }
    // The embedded ICC profile of a JPEG or PNG (read before its pixels).
    const QByteArray& iccProfile() const { return jpeg_.jpeg ? jpeg_.iccProfile : pngProfile_; }
    bool cancelled() const { return input_ && input_->cancelled(); }

  private:
    std::unique_ptr<QFile> file_;
    CancelCheck cancelled_;
    CodecKind codec_ = CodecKind::None;
    CodecHeader codecHeader_;
    JpegStructure jpeg_;
    QByteArray pngProfile_;
    std::optional<CancellableDevice> input_;
    QImageReader reader_; // last: it is done with the device before the device goes
};

// Where a rectangle of the stored pixels lands once the photo is turned upright: mirrored and
// flipped first, then turned a quarter clockwise, as the decoder applies the EXIF orientation.
QRect Upright(QRect r, const QSize& stored, QImageIOHandler::Transformations t) {
    if (t & QImageIOHandler::TransformationMirror)
        r.moveLeft(stored.width() - r.x() - r.width());
    if (t & QImageIOHandler::TransformationFlip)
        r.moveTop(stored.height() - r.y() - r.height());
    if (t & QImageIOHandler::TransformationRotate90)
        r = QRect(stored.height() - r.y() - r.height(), r.x(), r.height(), r.width());
    return r;
}

// Full-size pixels kept whole at the factor: the largest multiple of it.
QSize WholeBlocks(const QSize& size, int factor) {
    return QSize(size.width() / factor * factor, size.height() / factor * factor);
}

// value / factor to the nearest whole number (halves round up), for factors 1, 2, 4 and 8.
int64_t NearestMultiple(int64_t value, int factor) {
    const int64_t twice = 2 * value + factor;
    const int64_t d = 2 * static_cast<int64_t>(factor);
    return twice >= 0 ? twice / d : -((-twice + d - 1) / d);
}

} // namespace

PhotoHeader ReadPhotoHeader(const LocalPath& path) {
    PhotoFile photo(path);
    PhotoHeader header;
    if (photo.isCodec()) {
        header.stored = photo.codecHeader().stored;
        header.transformation = photo.codecHeader().transformation;
        header.reducible = photo.codecHeader().reducible;
        header.smaller = photo.codecHeader().smaller;
    } else {
        QImageReader& reader = photo.reader();
        header.stored = reader.size();
        header.transformation = reader.transformation();
        header.jpeg = reader.format() == "jpeg";
    }
    if (!WithinPhotoLimit(header.stored))
        return {};
    header.upright = header.stored;
    if (header.transformation & QImageIOHandler::TransformationRotate90)
        header.upright.transpose();
    header.needs = photo.needs();
    if (!header.needs.allowed(header.jpeg || header.reducible ? kReductions[0] : 1))
        return {};
    return header;
}

QSize UprightPhotoSize(const LocalPath& path) {
    return ReadPhotoHeader(path).upright;
}

QRectF DecodeFrame::toDecoded(const QRectF& rect) const {
    if (!scaled.isEmpty()) {
        const double sx = double(scaled.width()) / covered.width();
        const double sy = double(scaled.height()) / covered.height();
        return QRectF((rect.x() - covered.x()) * sx, (rect.y() - covered.y()) * sy,
                      rect.width() * sx, rect.height() * sy);
    }
    const double f = factor;
    return QRectF((rect.x() - covered.x()) / f, (rect.y() - covered.y()) / f, rect.width() / f,
                  rect.height() / f);
}

QRect DecodeFrame::toDecoded(const QRect& crop) const {
    const QSize size = decodedSize();
    // `full` photo pixels along the axis make `limit` decoded ones; a smaller image's edges go to
    // its nearest pixel edge too.
    auto edge = [&](int64_t v, int64_t origin, int limit, int64_t full) {
        const int64_t d = scaled.isEmpty() || full <= 0
                              ? NearestMultiple(v - origin, factor)
                              : ((v - origin) * limit * 2 + full) / (2 * full);
        return static_cast<int>(std::clamp<int64_t>(d, 0, limit));
    };
    const int w = size.width(), h = size.height();
    const int left = edge(crop.x(), covered.x(), w, covered.width());
    const int top = edge(crop.y(), covered.y(), h, covered.height());
    const int right = edge(int64_t{crop.x()} + crop.width(), covered.x(), w, covered.width());
    const int bottom = edge(int64_t{crop.y()} + crop.height(), covered.y(), h, covered.height());
    return QRect(left, top, right - left, bottom - top);
}

QRectF DecodeFrame::toPhoto(const QRectF& rect) const {
    if (!scaled.isEmpty()) {
        const double sx = double(covered.width()) / scaled.width();
        const double sy = double(covered.height()) / scaled.height();
        return QRectF(rect.x() * sx + covered.x(), rect.y() * sy + covered.y(), rect.width() * sx,
                      rect.height() * sy);
    }
    const double f = factor;
    return QRectF(rect.x() * f + covered.x(), rect.y() * f + covered.y(), rect.width() * f,
                  rect.height() * f);
}

DecodeFrame FrameFor(const PhotoHeader& header, int factor) {
    DecodeFrame frame;
    if (factor > 1 && !header.smaller.empty()) {
        frame.covered = QRect(QPoint(0, 0), header.upright);
        for (const QSize& s : header.smaller)
            if (int64_t{s.width()} * factor >= header.upright.width() &&
                int64_t{s.height()} * factor >= header.upright.height()) {
                frame.scaled = s;
                break;
            }
        return frame;
    }
    if (factor <= 1 || !(header.jpeg || header.reducible) || !header.stored.isValid()) {
        frame.covered = QRect(QPoint(0, 0), header.upright);
        return frame;
    }
    frame.factor = factor;
    frame.covered = Upright(QRect(QPoint(0, 0), WholeBlocks(header.stored, factor)), header.stored,
                            header.transformation);
    return frame;
}

int ReductionFor(const PhotoHeader& header, const QRect& crop, const QSize& needed) {
    if (!header.jpeg && !header.reducible && header.smaller.empty())
        return 1;
    for (const int factor : kReductions) {
        const DecodeFrame frame = FrameFor(header, factor);
        if (frame.factor == 1 && frame.scaled.isEmpty())
            continue; // no image that small
        const QSize kept = frame.toDecoded(crop).size();
        if (kept.width() >= needed.width() && kept.height() >= needed.height())
            return factor;
    }
    return 1;
}

namespace {

DecodedPhoto Decode(PhotoFile& file, const PhotoHeader& header, int factor) {
    QImageReader& reader = file.reader();
    DecodedPhoto photo;
    photo.frame = FrameFor(header, factor);
    // The file may have changed since its header was read: its bytes as they are now decide.
    if (!file.needs().allowed(photo.frame.factor))
        return {};
    if (file.isCodec()) {
        QImage image = file.decodeCodec(photo.frame.factor, photo.frame.scaled);
        if (image.isNull())
            return {};
        if (photo.frame.factor == 1 && photo.frame.scaled.isEmpty())
            photo.frame.covered = image.rect();
        else if (image.size() != photo.frame.decodedSize())
            return {};
        ConvertToSrgb(image, file.codecHeader().iccProfile, file.codecHeader().colourSpace);
        photo.image = std::move(image);
        return photo;
    }
    if (file.cmykWithProfile()) {
        QImage image = Transformed(file.decodeCmyk(photo.frame.factor), header.transformation);
        if (image.isNull())
            return {};
        if (photo.frame.factor == 1)
            photo.frame.covered = image.rect();
        else if (image.size() != photo.frame.decodedSize())
            return {};
        photo.image = std::move(image);
        return photo;
    }
    if (photo.frame.factor > 1) {
        if (photo.frame.decodedSize().isEmpty())
            return {};
        // With the clip a whole number of blocks, the decoder picks exactly this reduction and
        // hands its pixels over without resampling them again.
        const QSize whole = WholeBlocks(header.stored, photo.frame.factor);
        reader.setClipRect(QRect(QPoint(0, 0), whole));
        reader.setScaledSize(whole / photo.frame.factor);
    }
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    if (photo.frame.factor == 1)
        photo.frame.covered = image.rect(); // the header may not have told the decoded size
    else if (image.size() != photo.frame.decodedSize())
        return {};
    // Scaling keeps 32-bit pixels, and an opaque photo stays RGB32, which scales faster.
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    // Converted on the decoded (reduced) pixels; a photo without a profile is left as it is.
    ConvertToSrgb(image, file.iccProfile());
    photo.image = std::move(image);
    return photo;
}

} // namespace

DecodedPhoto DecodePhoto(const LocalPath& path, const PhotoHeader& header, int factor,
                         const CancelCheck& cancelled) {
    AllowLargePhotos();
    PhotoFile file(path, cancelled);
    DecodedPhoto photo = Decode(file, header, factor);
    if (file.cancelled()) { // whatever was decoded is incomplete
        photo = DecodedPhoto{};
        photo.cancelled = true;
    }
    return photo;
}

QImage LoadPhoto(const LocalPath& path, const CancelCheck& cancelled) {
    const auto file = OpenLocalFile(path);
    return file ? LoadImageFile(*file, nullptr, cancelled) : QImage();
}

} // namespace quorvane
