// TIFF photos through libtiff: the first image of the file, every sample layout libtiff's RGBA
// reader takes (8 and 16 bits, palette, grey, YCbCr, CMYK, strips and tiles), in the order its
// rows are stored; the Orientation tag is made afterwards, like a JPEG's EXIF orientation.
// libtiff's messages are kept quiet and its allocations bounded.
#include "imaging/CodecKinds.h"
#include "imaging/DecodeNeeds.h"

#include <tiffio.h>

#include <memory>

namespace quorvane {

namespace {

int Quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1; // handled: libtiff prints nothing
}

tsize_t ReadProc(thandle_t device, tdata_t data, tsize_t size) {
    return static_cast<QIODevice*>(device)->read(static_cast<char*>(data), size);
}
tsize_t WriteProc(thandle_t, tdata_t, tsize_t) {
    return -1;
}
toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* device = static_cast<QIODevice*>(handle);
    qint64 target = static_cast<qint64>(offset);
    if (whence == SEEK_CUR)
        target += device->pos();
    else if (whence == SEEK_END)
        target += device->size();
    return target >= 0 && device->seek(target) ? static_cast<toff_t>(target)
                                               : static_cast<toff_t>(-1);
}
int CloseProc(thandle_t) {
    return 0;
}
toff_t SizeProc(thandle_t device) {
    return static_cast<toff_t>(static_cast<QIODevice*>(device)->size());
}
int MapProc(thandle_t, tdata_t*, toff_t*) {
    return 0;
}
void UnmapProc(thandle_t, tdata_t, toff_t) {}

using Tiff = std::unique_ptr<TIFF, void (*)(TIFF*)>;

Tiff Open(QIODevice& device) {
    const std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)> options(
        TIFFOpenOptionsAlloc(), &TIFFOpenOptionsFree);
    if (!options)
        return Tiff(nullptr, &TIFFClose);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kPhotoDecodeLimit);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), &Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), &Quiet, nullptr);
    // "m": no memory mapping; every read goes through the device.
    return Tiff(TIFFClientOpenExt("photo", "rm", &device, &ReadProc, &WriteProc, &SeekProc,
                                  &CloseProc, &SizeProc, &MapProc, &UnmapProc, options.get()),
                &TIFFClose);
}

} // namespace

CodecHeader ReadTiffHeader(QIODevice& device) {
    const Tiff tiff = Open(device);
    char message[1024];
    if (!tiff || !TIFFRGBAImageOK(tiff.get(), message))
        return {};
    uint32_t width = 0, height = 0;
    uint16_t orientation = ORIENTATION_TOPLEFT, samples = 1, extraCount = 0, planar = 1;
    uint16_t* extra = nullptr;
    if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) || width < 1 || height < 1 ||
        width > INT32_MAX || height > INT32_MAX)
        return {};
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_ORIENTATION, &orientation);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_EXTRASAMPLES, &extraCount, &extra);
    CodecHeader header;
    header.kind = CodecKind::Tiff;
    header.stored = QSize(static_cast<int>(width), static_cast<int>(height));
    header.transformation = OrientationTransformation(orientation);
    header.alpha = extraCount > 0 && extra &&
                   (extra[0] == EXTRASAMPLE_ASSOCALPHA || extra[0] == EXTRASAMPLE_UNASSALPHA);
    // One strip or tile of samples (one per plane when they are stored apart) beside the 32-bit
    // raster, which is copied into the bitmap.
    const uint64_t block =
        TIFFIsTiled(tiff.get()) ? TIFFTileSize64(tiff.get()) : TIFFStripSize64(tiff.get());
    header.decoderBytes = static_cast<int64_t>(std::min<uint64_t>(block, INT64_MAX / 8)) *
                              (planar == PLANARCONFIG_SEPARATE ? samples : 1) +
                          Bitmap32Bytes(header.stored);
    header.converted = false; // the raster is the bitmap; counted above as the decoder's
    uint32_t iccSize = 0;
    void* icc = nullptr;
    if (TIFFGetField(tiff.get(), TIFFTAG_ICCPROFILE, &iccSize, &icc) && icc && iccSize > 0)
        header.iccProfile =
            QByteArray(static_cast<const char*>(icc), static_cast<qsizetype>(iccSize));
    return header;
}

QImage DecodeTiff(QIODevice& device, const CodecHeader& header) {
    const Tiff tiff = Open(device);
    char message[1024];
    TIFFRGBAImage rgba{};
    if (!tiff || !TIFFRGBAImageBegin(&rgba, tiff.get(), 1, message))
        return {};
    const std::unique_ptr<TIFFRGBAImage, void (*)(TIFFRGBAImage*)> end(&rgba, &TIFFRGBAImageEnd);
    if (QSize(static_cast<int>(rgba.width), static_cast<int>(rgba.height)) != header.stored)
        return {};
    // Rows as stored: the orientation is made afterwards, turns included.
    rgba.req_orientation = ORIENTATION_TOPLEFT;
    rgba.orientation = ORIENTATION_TOPLEFT;
    const QImage::Format format = !header.alpha ? QImage::Format_RGBX8888
                                  : rgba.alpha == EXTRASAMPLE_ASSOCALPHA
                                      ? QImage::Format_RGBA8888_Premultiplied
                                      : QImage::Format_RGBA8888;
    // libtiff's pixels are 32-bit words 0xAABBGGRR: bytes R, G, B, A on little-endian.
    QImage raster(header.stored, format);
    if (raster.isNull() || raster.bytesPerLine() != qsizetype{header.stored.width()} * 4)
        return {};
    if (!TIFFRGBAImageGet(&rgba, reinterpret_cast<uint32_t*>(raster.bits()), rgba.width,
                          rgba.height))
        return {};
    raster.convertTo(header.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return raster;
}

} // namespace quorvane
