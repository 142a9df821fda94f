// HEIF and AVIF photos through libheif: the primary image, with the turns and mirroring of its
// container made by libheif, 10- and 12-bit samples brought to 8 bits.
#include "imaging/CodecKinds.h"
#include "imaging/Raster.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace quorvane {

namespace {

using Context = std::unique_ptr<heif_context, void (*)(heif_context*)>;
using Handle = std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle*)>;
using Image = std::unique_ptr<heif_image, void (*)(const heif_image*)>;

heif_reader DeviceReader() {
    heif_reader reader{};
    reader.reader_api_version = 1;
    reader.get_position = [](void* device) {
        return int64_t{static_cast<QIODevice*>(device)->pos()};
    };
    reader.read = [](void* data, size_t size, void* device) {
        auto* d = static_cast<QIODevice*>(device);
        return d->read(static_cast<char*>(data), static_cast<qint64>(size)) ==
                       static_cast<qint64>(size)
                   ? 0
                   : 1;
    };
    reader.seek = [](int64_t position, void* device) {
        return static_cast<QIODevice*>(device)->seek(position) ? 0 : 1;
    };
    reader.wait_for_file_size = [](int64_t target, void* device) {
        return target <= static_cast<QIODevice*>(device)->size()
                   ? heif_reader_grow_status_size_reached
                   : heif_reader_grow_status_size_beyond_eof;
    };
    return reader;
}

// The file's structure read (nothing decoded) and its primary image; a null handle on failure.
struct Opened {
    Context context{nullptr, &heif_context_free};
    Handle primary{nullptr, &heif_image_handle_release};
};

Opened Open(QIODevice& device) {
    static std::once_flag init;
    std::call_once(init, [] { heif_init(nullptr); });
    Opened opened;
    opened.context.reset(heif_context_alloc());
    if (!opened.context)
        return opened;
    // Each photo is decoded on one thread: the run's workers decode several at once.
    heif_context_set_max_decoding_threads(opened.context.get(), 0);
    heif_context_set_maximum_image_size_limit(opened.context.get(), kMaxBitmapSize);
    // libheif keeps the reader's functions for the life of the context: they must outlive it.
    static const heif_reader reader = DeviceReader();
    if (heif_context_read_from_reader(opened.context.get(), &reader, &device, nullptr).code !=
        heif_error_Ok)
        return opened;
    heif_image_handle* handle = nullptr;
    if (heif_context_get_primary_image_handle(opened.context.get(), &handle).code == heif_error_Ok)
        opened.primary.reset(handle);
    return opened;
}

// Colour given as numbers: the primaries and transfer Qt knows; sRGB's own and unknown ones give
// an invalid colour space (nothing to convert).
QColorSpace NclxColourSpace(const heif_image_handle* handle) {
    heif_color_profile_nclx* nclx = nullptr;
    const heif_error error = heif_image_handle_get_nclx_color_profile(handle, &nclx);
    // libheif may have made the profile before it found a value it refuses: freed either way.
    const std::unique_ptr<heif_color_profile_nclx, void (*)(heif_color_profile_nclx*)> owner(
        nclx, &heif_nclx_color_profile_free);
    if (error.code != heif_error_Ok || !nclx)
        return {};
    QColorSpace::TransferFunction transfer;
    switch (nclx->transfer_characteristics) {
    case heif_transfer_characteristic_IEC_61966_2_1:
    case heif_transfer_characteristic_unspecified:
    case heif_transfer_characteristic_ITU_R_BT_709_5:
    case heif_transfer_characteristic_ITU_R_BT_601_6:
        transfer = QColorSpace::TransferFunction::SRgb;
        break;
    case heif_transfer_characteristic_linear:
        transfer = QColorSpace::TransferFunction::Linear;
        break;
    default:
        return {}; // HDR curves (PQ, HLG) are not mapped onto paper here
    }
    switch (nclx->color_primaries) {
    case heif_color_primaries_SMPTE_EG_432_1: // Display P3
        return QColorSpace(QColorSpace::Primaries::DciP3D65, transfer);
    case heif_color_primaries_ITU_R_BT_2020_2_and_2100_0:
        return QColorSpace(QPointF(0.3127, 0.3290), QPointF(0.708, 0.292), QPointF(0.170, 0.797),
                           QPointF(0.131, 0.046), transfer);
    case heif_color_primaries_ITU_R_BT_709_5:
    case heif_color_primaries_unspecified:
        return transfer == QColorSpace::TransferFunction::SRgb
                   ? QColorSpace()
                   : QColorSpace(QColorSpace::Primaries::SRgb, transfer);
    default:
        return {};
    }
}

struct Thumbnail {
    Handle handle{nullptr, &heif_image_handle_release};
    QSize size; // turned as decoded
};

// The thumbnails with the photo's proportions (within a pixel of its size scaled down), smallest
// first; the others would not cover the photo as it is.
std::vector<Thumbnail> Thumbnails(const heif_image_handle* primary) {
    std::vector<Thumbnail> found;
    const int count = std::clamp(heif_image_handle_get_number_of_thumbnails(primary), 0, 16);
    std::vector<heif_item_id> ids(static_cast<size_t>(count));
    const int listed = heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    const int64_t w = heif_image_handle_get_width(primary);
    const int64_t h = heif_image_handle_get_height(primary);
    for (int i = 0; i < std::min(listed, count); ++i) {
        heif_image_handle* raw = nullptr;
        if (heif_image_handle_get_thumbnail(primary, ids[static_cast<size_t>(i)], &raw).code !=
            heif_error_Ok)
            continue;
        Thumbnail t;
        t.handle.reset(raw);
        t.size = QSize(heif_image_handle_get_width(raw), heif_image_handle_get_height(raw));
        const int64_t tw = t.size.width(), th = t.size.height();
        if (tw < 1 || th < 1 || tw >= w || th >= h || std::abs(tw * h - th * w) > std::max(w, h))
            continue;
        found.push_back(std::move(t));
    }
    std::sort(found.begin(), found.end(), [](const Thumbnail& a, const Thumbnail& b) {
        return a.size.width() < b.size.width();
    });
    return found;
}

} // namespace

CodecHeader ReadHeifHeader(QIODevice& device) {
    const Opened heif = Open(device);
    if (!heif.primary)
        return {};
    const heif_image_handle* h = heif.primary.get();
    CodecHeader header;
    header.kind = CodecKind::Heif;
    header.stored = QSize(heif_image_handle_get_width(h), heif_image_handle_get_height(h));
    header.alpha = heif_image_handle_has_alpha_channel(h);
    // The decoder's picture and libheif's copy of it (counted as 4:4:4, which the header does not
    // rule out), then the interleaved RGB(A) made from it, at 16 bits a sample before 8-bit
    // output for deeper photos; an alpha plane twice more.
    const int64_t pixels =
        std::max(int64_t{std::max(0, heif_image_handle_get_ispe_width(h))} *
                     std::max(0, heif_image_handle_get_ispe_height(h)),
                 int64_t{std::max(0, header.stored.width())} * std::max(0, header.stored.height()));
    const int64_t sampleBytes = heif_image_handle_get_luma_bits_per_pixel(h) > 8 ? 2 : 1;
    header.decoderBytes = pixels * sampleBytes * (2 * 3 + (header.alpha ? 2 : 0)) +
                          pixels * (header.alpha ? 4 : 3) * (sampleBytes == 2 ? 3 : 1);
    header.converted = true;
    const size_t iccSize = heif_image_handle_get_raw_color_profile_size(h);
    if (iccSize > 0 && iccSize <= (16u << 20)) {
        header.iccProfile.resize(static_cast<qsizetype>(iccSize));
        if (heif_image_handle_get_raw_color_profile(h, header.iccProfile.data()).code !=
            heif_error_Ok)
            header.iccProfile.clear();
    }
    if (header.iccProfile.isEmpty())
        header.colourSpace = NclxColourSpace(h);
    for (const Thumbnail& t : Thumbnails(h))
        header.smaller.push_back(t.size);
    return header;
}

QImage DecodeHeif(QIODevice& device, const CodecHeader& header, const QSize& smaller) {
    const Opened heif = Open(device);
    if (!heif.primary)
        return {};
    Handle thumbnail(nullptr, &heif_image_handle_release);
    if (!smaller.isEmpty()) {
        for (Thumbnail& t : Thumbnails(heif.primary.get()))
            if (t.size == smaller) {
                thumbnail = std::move(t.handle);
                break;
            }
        if (!thumbnail)
            return {};
    }
    const heif_image_handle* decoding = thumbnail ? thumbnail.get() : heif.primary.get();
    const bool alpha = heif_image_handle_has_alpha_channel(decoding);
    std::unique_ptr<heif_decoding_options, void (*)(heif_decoding_options*)> options(
        heif_decoding_options_alloc(), &heif_decoding_options_free);
    if (!options)
        return {};
    options->convert_hdr_to_8bit = 1;
    heif_image* decoded = nullptr;
    const heif_chroma chroma = alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB;
    if (heif_decode_image(decoding, &decoded, heif_colorspace_RGB, chroma, options.get()).code !=
        heif_error_Ok)
        return {};
    const Image image(decoded, &heif_image_release);
    int stride = 0;
    const uint8_t* pixels =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!pixels || width < 1 || height < 1 || stride < width * (header.alpha ? 4 : 3))
        return {};
    const QImage::Format format = !header.alpha ? QImage::Format_RGB888
                                  : heif_image_is_premultiplied_alpha(image.get())
                                      ? QImage::Format_RGBA8888_Premultiplied
                                      : QImage::Format_RGBA8888;
    // A view of libheif's pixels, copied into the 32-bit bitmap before they go.
    const QImage view(pixels, width, height, stride, format);
    // A thumbnail without the photo's alpha is opaque in the photo's format all the same.
    return view.convertToFormat(header.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

} // namespace quorvane
