// WebP photos through libwebp: the header from the first bytes and a walk over the chunk headers
// (the profile comes before the pixels, the EXIF block after them); to decode, the whole file is
// read into memory and fed to the incremental decoder a block at a time, so that a stop ends the
// decode between blocks. The decoder writes straight into the
// 32-bit bitmap, cropped to whole blocks and scaled by the factor when asked; an animation gives
// its first frame.
#include "exif/ContainerExif.h"
#include "imaging/CodecKinds.h"
#include "imaging/Raster.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <QtEndian>
#include <memory>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "BGRA bytes are ARGB32 pixels on little-endian");

namespace quorvane {

namespace {

constexpr qint64 kBlock = qint64{256} * 1024;
// The file is held whole while it is decoded; larger ones are not WebP photos anyone shoots.
constexpr qint64 kMaxFileBytes = 512ll << 20;
constexpr int kMaxChunks = 1000;
// Profiles and EXIF blocks larger than this are not read.
constexpr qint64 kMaxMetadataBytes = 16 << 20;

// The file's bytes from the device's position to its end, read in blocks; empty when it is too
// large, cannot be read, or `cancelled` said stop.
QByteArray ReadAll(QIODevice& device, const CancelCheck& cancelled = {}) {
    const qint64 size = device.size() - device.pos();
    if (size <= 0 || size > kMaxFileBytes)
        return {};
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 at = 0; at < size;) {
        if (cancelled && cancelled())
            return {};
        const qint64 got = device.read(bytes.data() + at, std::min(kBlock, size - at));
        if (got <= 0)
            return {};
        at += got;
    }
    return bytes;
}

// The ICCP and EXIF payloads of the file on the device, found by a walk over its chunk headers
// that seeks past their payloads: the EXIF chunk follows the pixels, at the end of the file.
struct Metadata {
    QByteArray icc;
    QByteArray exif;
};

Metadata ReadMetadata(QIODevice& device) {
    Metadata found;
    const qint64 start = device.pos();
    const QByteArray riff = device.read(12);
    if (riff.size() != 12)
        return found;
    const qint64 end = std::min(
        device.size(), start + qint64{qFromLittleEndian<quint32>(riff.constData() + 4)} + 8);
    qint64 at = start + 12;
    for (int i = 0; i < kMaxChunks && at <= end - 8 && device.seek(at); ++i) {
        const QByteArray head = device.read(8);
        if (head.size() != 8)
            break;
        const qint64 size = qFromLittleEndian<quint32>(head.constData() + 4);
        if (size > end - at - 8)
            break;
        QByteArray* into = head.startsWith("ICCP")   ? &found.icc
                           : head.startsWith("EXIF") ? &found.exif
                                                     : nullptr;
        if (into && into->isEmpty() && size <= kMaxMetadataBytes)
            *into = device.read(size);
        at += 8 + size + (size & 1);
    }
    return found;
}

// The first bytes of the file, as many as the decoder needs to tell its features (a large ICC
// profile may come before the pixels' own header).
QByteArray ReadHead(QIODevice& device) {
    const qint64 start = device.pos();
    for (qint64 size = 4096;; size *= 4) {
        device.seek(start);
        QByteArray head = device.read(std::min(size, kMaxMetadataBytes + 4096));
        WebPBitstreamFeatures features;
        if (WebPGetFeatures(reinterpret_cast<const uint8_t*>(head.constData()),
                            static_cast<size_t>(head.size()),
                            &features) != VP8_STATUS_NOT_ENOUGH_DATA ||
            head.size() < size)
            return head;
    }
}

struct Features {
    WebPBitstreamFeatures bitstream{};
    bool ok = false;
};

Features FeaturesOf(const QByteArray& file) {
    Features f;
    f.ok = WebPGetFeatures(reinterpret_cast<const uint8_t*>(file.constData()),
                           static_cast<size_t>(file.size()), &f.bitstream) == VP8_STATUS_OK;
    return f;
}

QImage FirstFrame(const QByteArray& file, const QSize& size) {
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return {};
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    const WebPData data{reinterpret_cast<const uint8_t*>(file.constData()),
                        static_cast<size_t>(file.size())};
    const std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> decoder(
        WebPAnimDecoderNew(&data, &options), &WebPAnimDecoderDelete);
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info) ||
        QSize(static_cast<int>(info.canvas_width), static_cast<int>(info.canvas_height)) != size)
        return {};
    uint8_t* pixels = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &pixels, &timestamp) || !pixels)
        return {};
    return QImage(pixels, size.width(), size.height(), qsizetype{size.width()} * 4,
                  QImage::Format_ARGB32)
        .copy();
}

} // namespace

CodecHeader ReadWebpHeader(QIODevice& device) {
    const qint64 start = device.pos();
    const Features f = FeaturesOf(ReadHead(device));
    if (!f.ok || !device.seek(start))
        return {};
    const Metadata metadata = ReadMetadata(device);
    CodecHeader header;
    header.kind = CodecKind::Webp;
    header.stored = QSize(f.bitstream.width, f.bitstream.height);
    header.alpha = f.bitstream.has_alpha;
    header.transformation = OrientationTransformation(exif::TiffOrientation(
        std::string_view(metadata.exif.constData(), static_cast<size_t>(metadata.exif.size()))));
    header.iccProfile = metadata.icc;
    const qint64 fileBytes = std::max<qint64>(0, device.size() - start);
    const int64_t pixels = int64_t{f.bitstream.width} * f.bitstream.height;
    const int64_t rows = int64_t{f.bitstream.width} * 64 * 4;
    // The file, then: a lossless photo is decoded into a 32-bit picture of its own; a lossy one
    // keeps a few rows and its alpha plane; an animation's frames are made on two canvases.
    header.decoderBytes = fileBytes + rows;
    if (f.bitstream.has_animation)
        header.decoderBytes += 2 * pixels * 4;
    else if (f.bitstream.format == 2)
        header.decoderBytes += pixels * 4;
    else if (header.alpha)
        header.decoderBytes += pixels;
    header.reducible = !f.bitstream.has_animation;
    header.converted = f.bitstream.has_animation; // the canvas is copied
    return header;
}

QImage DecodeWebp(QIODevice& device, const CodecHeader& header, int factor,
                  const CancelCheck& cancelled) {
    const QByteArray file = ReadAll(device, cancelled);
    const Features f = FeaturesOf(file);
    if (!f.ok || QSize(f.bitstream.width, f.bitstream.height) != header.stored ||
        bool(f.bitstream.has_alpha) != header.alpha)
        return {};
    if (f.bitstream.has_animation)
        return factor == 1 ? FirstFrame(file, header.stored) : QImage();
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        return {};
    QSize size = header.stored;
    if (factor > 1) {
        // Whole blocks of factor x factor pixels, each decoded into one pixel.
        const QSize whole(size.width() / factor * factor, size.height() / factor * factor);
        size = whole / factor;
        if (size.isEmpty())
            return {};
        config.options.use_cropping = 1;
        config.options.crop_width = whole.width();
        config.options.crop_height = whole.height();
        config.options.use_scaling = 1;
        config.options.scaled_width = size.width();
        config.options.scaled_height = size.height();
    }
    QImage image = CreateBitmap(size.width(), size.height());
    if (image.isNull())
        return {};
    if (!header.alpha)
        image.reinterpretAsFormat(QImage::Format_RGB32);
    config.output.colorspace = MODE_BGRA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = image.bits();
    config.output.u.RGBA.stride = static_cast<int>(image.bytesPerLine());
    config.output.u.RGBA.size = static_cast<size_t>(image.sizeInBytes());
    const std::unique_ptr<WebPIDecoder, void (*)(WebPIDecoder*)> decoder(
        WebPIDecode(nullptr, 0, &config), &WebPIDelete);
    if (!decoder)
        return {};
    VP8StatusCode status = VP8_STATUS_SUSPENDED;
    for (qsizetype fed = 0; status == VP8_STATUS_SUSPENDED && fed < file.size();) {
        if (cancelled && cancelled())
            return {};
        fed = std::min<qsizetype>(file.size(), fed + kBlock);
        status = WebPIUpdate(decoder.get(), reinterpret_cast<const uint8_t*>(file.constData()),
                             static_cast<size_t>(fed));
    }
    WebPFreeDecBuffer(&config.output);
    return status == VP8_STATUS_OK ? image : QImage();
}

} // namespace quorvane
