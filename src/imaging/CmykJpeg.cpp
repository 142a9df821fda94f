#include "imaging/CmykJpeg.h"

#include "imaging/ColourProfile.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace quorvane {

namespace {

constexpr qint64 kBlock = qint64{64} * 1024;

struct Source {
    jpeg_source_mgr manager{};
    QIODevice* device = nullptr;
    QByteArray buffer;
};

struct Errors {
    jpeg_error_mgr manager{};
    std::jmp_buf jump;
};

void Fail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<Errors*>(info->err)->jump, 1);
}

void Quiet(j_common_ptr, int) {}

void InitSource(j_decompress_ptr) {}

boolean Fill(j_decompress_ptr info) {
    auto* source = reinterpret_cast<Source*>(info->src);
    const qint64 read = source->device->read(source->buffer.data(), kBlock);
    if (read <= 0) // the end of the data, or a stop: the photo is not placed either way
        Fail(reinterpret_cast<j_common_ptr>(info));
    source->manager.next_input_byte = reinterpret_cast<const JOCTET*>(source->buffer.constData());
    source->manager.bytes_in_buffer = static_cast<size_t>(read);
    return TRUE;
}

void Skip(j_decompress_ptr info, long count) {
    auto* source = reinterpret_cast<Source*>(info->src);
    while (count > static_cast<long>(source->manager.bytes_in_buffer)) {
        count -= static_cast<long>(source->manager.bytes_in_buffer);
        Fill(info);
    }
    if (count > 0) {
        source->manager.next_input_byte += count;
        source->manager.bytes_in_buffer -= static_cast<size_t>(count);
    }
}

void Term(j_decompress_ptr) {}

// The steps at which libjpeg may give up, each behind its own jump point. Nothing that owns
// memory is made inside them, so that a jump out of libjpeg skips no destructor.
bool StartDecode(jpeg_decompress_struct& info, Errors& errors, int factor) {
    if (setjmp(errors.jump))
        return false;
    jpeg_read_header(&info, TRUE);
    if (info.num_components != 4)
        return false;
    info.out_color_space = JCS_CMYK;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned int>(factor);
    jpeg_start_decompress(&info);
    return info.output_components == 4;
}

bool ReadRows(jpeg_decompress_struct& info, Errors& errors, const CmykToSrgb& convert,
              QImage& image, QByteArray& row) {
    if (setjmp(errors.jump))
        return false;
    // Rows past the whole blocks are read and dropped.
    for (int y = 0; info.output_scanline < info.output_height; ++y) {
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPROW>(row.data())};
        jpeg_read_scanlines(&info, rows, 1);
        if (y < image.height())
            convert.convert(reinterpret_cast<const uchar*>(row.constData()),
                            reinterpret_cast<QRgb*>(image.scanLine(y)), image.width());
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

bool IsCmykWithProfile(const JpegStructure& jpeg) {
    return jpeg.jpeg && jpeg.components.size() == 4 && !jpeg.iccProfile.isEmpty() &&
           IsCmykProfile(jpeg.iccProfile);
}

QImage DecodeCmykJpeg(QIODevice& device, const JpegStructure& jpeg, int factor) {
    if (factor != 1 && factor != 2 && factor != 4 && factor != 8)
        return {};
    jpeg_decompress_struct info{};
    Errors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = &Fail;
    errors.manager.emit_message = &Quiet;
    jpeg_create_decompress(&info);
    Source source;
    source.device = &device;
    source.buffer.resize(kBlock);
    source.manager.init_source = &InitSource;
    source.manager.fill_input_buffer = &Fill;
    source.manager.skip_input_data = &Skip;
    source.manager.resync_to_restart = &jpeg_resync_to_restart;
    source.manager.term_source = &Term;
    info.src = &source.manager;
    QImage image;
    QByteArray row;
    bool decoded = StartDecode(info, errors, factor);
    if (decoded) {
        const int width = static_cast<int>(info.image_width) / factor;
        const int height = static_cast<int>(info.image_height) / factor;
        const CmykToSrgb convert(jpeg.iccProfile, info.saw_Adobe_marker);
        decoded = width >= 1 && height >= 1 && static_cast<int>(info.output_width) >= width &&
                  static_cast<int>(info.output_height) >= height && convert.valid();
        if (decoded) {
            image = QImage(width, height, QImage::Format_RGB32);
            row.resize(static_cast<qsizetype>(info.output_width) * 4);
            decoded = !image.isNull() && ReadRows(info, errors, convert, image, row);
        }
    }
    jpeg_destroy_decompress(&info);
    return decoded ? image : QImage();
}

} // namespace quorvane
