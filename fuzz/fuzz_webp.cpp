// WebP photos (libwebp): the RIFF chunks, the EXIF chunk and its orientation, the ICC profile, the
// pixels at full size and reduced while decoding, an animation's first frame; each read as the run,
// the photo list and the adjustment window read a photo.
#define QUORVANE_FUZZ_PHOTO_READS
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorvane::fuzz::ReadPhotoEveryWay(quorvane::fuzz::Bytes(data, size), "photo.webp");
    return 0;
}
