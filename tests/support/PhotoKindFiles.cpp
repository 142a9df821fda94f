#include "PhotoKindFiles.h"

#include <libheif/heif.h>
#include <webp/encode.h>

#include <QtEndian>
#include <cstring>
#include <map>
#include <stdexcept>
#include <vector>

namespace quorvane::test {

namespace {

// Little-endian TIFF directories: entries added in any order, written sorted, values that do not
// fit in their entries placed after the directory.
class TiffWriter {
  public:
    void Short(int tag, std::vector<uint16_t> values) {
        std::string bytes;
        for (uint16_t v : values)
            bytes += Le(v, 2);
        entries_[tag] = {3, static_cast<uint32_t>(values.size()), bytes};
    }
    void Long(int tag, uint32_t value) { entries_[tag] = {4, 1, Le(value, 4)}; }
    void Ascii(int tag, const std::string& text) {
        entries_[tag] = {2, static_cast<uint32_t>(text.size() + 1), text + '\0'};
    }
    void Undefined(int tag, const std::string& bytes) {
        entries_[tag] = {7, static_cast<uint32_t>(bytes.size()), bytes};
    }
    // The directory written at `offset`, its values after it; `next` is the next IFD's offset.
    std::string Write(uint32_t offset, uint32_t next = 0) const {
        std::string dir = Le(static_cast<uint32_t>(entries_.size()), 2);
        std::string values;
        uint32_t valueAt = offset + 2 + 12 * static_cast<uint32_t>(entries_.size()) + 4;
        for (const auto& [tag, e] : entries_) {
            dir += Le(static_cast<uint32_t>(tag), 2) + Le(e.type, 2) + Le(e.count, 4);
            if (e.bytes.size() <= 4) {
                dir += e.bytes + std::string(4 - e.bytes.size(), '\0');
            } else {
                dir += Le(valueAt + static_cast<uint32_t>(values.size()), 4);
                values += e.bytes;
                if (values.size() % 2)
                    values += '\0';
            }
        }
        return dir + Le(next, 4) + values;
    }
    size_t Size() const { return Write(0).size(); }

    static std::string Le(uint32_t value, int width) {
        std::string bytes;
        for (int i = 0; i < width; ++i)
            bytes += static_cast<char>(value >> (8 * i) & 0xFF);
        return bytes;
    }

  private:
    struct Entry {
        uint32_t type;
        uint32_t count;
        std::string bytes;
    };
    std::map<int, Entry> entries_;
};

heif_error Written(heif_context*, const void* data, size_t size, void* out) {
    static_cast<QByteArray*>(out)->append(static_cast<const char*>(data),
                                          static_cast<qsizetype>(size));
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

void Check(heif_error error) {
    if (error.code != heif_error_Ok)
        throw std::runtime_error(error.message);
}

QByteArray Chunk(const char* fourcc, const QByteArray& payload) {
    QByteArray chunk(fourcc, 4);
    chunk += QByteArray::fromStdString(TiffWriter::Le(static_cast<uint32_t>(payload.size()), 4));
    chunk += payload;
    if (payload.size() % 2)
        chunk += '\0';
    return chunk;
}

} // namespace

std::string ExifBlock(const std::string& date, int orientation, const std::string& make,
                      const std::string& model) {
    TiffWriter exif;
    if (!date.empty())
        exif.Ascii(36867, date);
    TiffWriter ifd0;
    ifd0.Ascii(271, make);
    ifd0.Ascii(272, model);
    if (orientation)
        ifd0.Short(274, {static_cast<uint16_t>(orientation)});
    ifd0.Long(34665, 0); // placeholder of the same size, for the size of IFD0
    const uint32_t exifAt = 8 + static_cast<uint32_t>(ifd0.Size());
    ifd0.Long(34665, exifAt);
    return std::string("II*\0", 4) + TiffWriter::Le(8, 4) + ifd0.Write(8) + exif.Write(exifAt);
}

QByteArray HeifFile(const QImage& picture, const KindOptions& options, bool av1) {
    const bool alpha = picture.hasAlphaChannel();
    const QImage rgb =
        picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* image = nullptr;
    heif_encoding_options* encoding = heif_encoding_options_alloc();
    QByteArray file;
    try {
        Check(heif_context_get_encoder_for_format(
            context, av1 ? heif_compression_AV1 : heif_compression_HEVC, &encoder));
        Check(heif_encoder_set_lossy_quality(encoder, options.quality));
        Check(heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB,
                                alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                &image));
        Check(heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8));
        int stride = 0;
        uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        const size_t row = static_cast<size_t>(rgb.width()) * (alpha ? 4 : 3);
        for (int y = 0; y < rgb.height(); ++y)
            std::memcpy(plane + static_cast<ptrdiff_t>(y) * stride, rgb.constScanLine(y), row);
        if (!options.icc.isEmpty())
            Check(heif_image_set_raw_color_profile(image, "prof", options.icc.constData(),
                                                   static_cast<size_t>(options.icc.size())));
        encoding->image_orientation = static_cast<heif_orientation>(options.containerOrientation);
        heif_image_handle* handle = nullptr;
        Check(heif_context_encode_image(context, image, encoder, encoding, &handle));
        if (!options.thumbnail.isNull()) {
            const QImage small = options.thumbnail.convertToFormat(QImage::Format_RGB888);
            heif_image* thumb = nullptr;
            Check(heif_image_create(small.width(), small.height(), heif_colorspace_RGB,
                                    heif_chroma_interleaved_RGB, &thumb));
            Check(heif_image_add_plane(thumb, heif_channel_interleaved, small.width(),
                                       small.height(), 8));
            int thumbStride = 0;
            uint8_t* rows = heif_image_get_plane(thumb, heif_channel_interleaved, &thumbStride);
            for (int y = 0; y < small.height(); ++y)
                std::memcpy(rows + static_cast<ptrdiff_t>(y) * thumbStride, small.constScanLine(y),
                            static_cast<size_t>(small.width()) * 3);
            heif_image_handle* thumbHandle = nullptr;
            Check(heif_context_encode_thumbnail(context, thumb, handle, encoder, encoding,
                                                std::max(small.width(), small.height()) / 2,
                                                &thumbHandle));
            heif_image_handle_release(thumbHandle);
            heif_image_release(thumb);
        }
        if (!options.exif.empty())
            Check(heif_context_add_exif_metadata(context, handle, options.exif.data(),
                                                 static_cast<int>(options.exif.size())));
        heif_image_handle_release(handle);
        heif_writer writer{1, &Written};
        Check(heif_context_write(context, &writer, &file));
    } catch (const std::exception&) {
        file.clear();
    }
    heif_encoding_options_free(encoding);
    if (image)
        heif_image_release(image);
    if (encoder)
        heif_encoder_release(encoder);
    heif_context_free(context);
    return file;
}

QByteArray WebpFile(const QImage& picture, const KindOptions& options) {
    const bool alpha = picture.hasAlphaChannel();
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    uint8_t* out = nullptr;
    const auto* pixels = rgba.constBits();
    const int stride = static_cast<int>(rgba.bytesPerLine());
    const size_t size =
        options.lossless ? WebPEncodeLosslessRGBA(pixels, rgba.width(), rgba.height(), stride, &out)
        : alpha          ? WebPEncodeRGBA(pixels, rgba.width(), rgba.height(), stride,
                                          static_cast<float>(options.quality), &out)
                         : WebPEncodeRGB(picture.convertToFormat(QImage::Format_RGB888).constBits(),
                                         rgba.width(), rgba.height(),
                                         static_cast<int>(
                                    picture.convertToFormat(QImage::Format_RGB888).bytesPerLine()),
                                         static_cast<float>(options.quality), &out);
    const QByteArray simple(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    WebPFree(out);
    if (options.exif.empty() && options.icc.isEmpty())
        return simple;
    // The extended form: VP8X, ICCP, the image's own chunks (without a VP8X of its own), EXIF.
    QByteArray image = simple.mid(12);
    if (image.startsWith("VP8X"))
        image = image.mid(8 + 10);
    uint32_t flags = 0;
    if (!options.icc.isEmpty())
        flags |= 0x20;
    if (alpha)
        flags |= 0x10;
    if (!options.exif.empty())
        flags |= 0x08;
    const auto le24 = [](int v) {
        return QByteArray::fromStdString(TiffWriter::Le(uint32_t(v), 3));
    };
    QByteArray vp8x = QByteArray::fromStdString(TiffWriter::Le(flags, 4)) +
                      le24(picture.width() - 1) + le24(picture.height() - 1);
    QByteArray body = "WEBP" + Chunk("VP8X", vp8x);
    if (!options.icc.isEmpty())
        body += Chunk("ICCP", options.icc);
    body += image;
    if (!options.exif.empty())
        body += Chunk("EXIF", QByteArray::fromStdString(options.exif));
    return "RIFF" + QByteArray::fromStdString(TiffWriter::Le(uint32_t(body.size()), 4)) + body;
}

QByteArray TiffFile(const QImage& picture, const std::string& date, int orientation,
                    const KindOptions& options) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    std::string pixels;
    for (int y = 0; y < rgb.height(); ++y)
        pixels.append(reinterpret_cast<const char*>(rgb.constScanLine(y)),
                      static_cast<size_t>(rgb.width()) * 3);
    TiffWriter exif;
    if (!date.empty())
        exif.Ascii(36867, date);
    TiffWriter ifd0;
    ifd0.Long(256, static_cast<uint32_t>(rgb.width()));
    ifd0.Long(257, static_cast<uint32_t>(rgb.height()));
    ifd0.Short(258, {8, 8, 8});
    ifd0.Short(259, {1});
    ifd0.Short(262, {2});
    ifd0.Ascii(271, "Quorvane");
    ifd0.Ascii(272, "Q1");
    ifd0.Long(273, 0);
    if (orientation)
        ifd0.Short(274, {static_cast<uint16_t>(orientation)});
    ifd0.Short(277, {3});
    ifd0.Long(278, static_cast<uint32_t>(rgb.height()));
    ifd0.Long(279, static_cast<uint32_t>(pixels.size()));
    ifd0.Short(284, {1});
    if (!options.icc.isEmpty())
        ifd0.Undefined(34675, options.icc.toStdString());
    if (!date.empty())
        ifd0.Long(34665, 0);
    const auto size0 = static_cast<uint32_t>(ifd0.Size());
    const auto sizeExif = date.empty() ? 0u : static_cast<uint32_t>(exif.Size());
    const auto pixelBytes = static_cast<uint32_t>(pixels.size());
    // Either: header, pixels, IFD0, Exif IFD; or: header, IFD0, Exif IFD, pixels.
    const uint32_t ifd0At = options.pixelsFirst ? 8 + pixelBytes : 8;
    const uint32_t exifAt = ifd0At + size0 + (size0 % 2);
    const uint32_t pixelsAt = options.pixelsFirst ? 8 : exifAt + sizeExif;
    ifd0.Long(273, pixelsAt);
    if (!date.empty())
        ifd0.Long(34665, exifAt);
    std::string meta = ifd0.Write(ifd0At);
    if (meta.size() % 2)
        meta += '\0';
    if (!date.empty())
        meta += exif.Write(exifAt);
    std::string file = std::string("II*\0", 4) + TiffWriter::Le(ifd0At, 4);
    file += options.pixelsFirst ? pixels + meta : meta + pixels;
    return QByteArray::fromStdString(file);
}

} // namespace quorvane::test
