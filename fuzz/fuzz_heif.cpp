// HEIF and AVIF photos (libheif): the container, its Exif item, colour profile or nclx numbers and
// the pixels; each read as the run, the photo list and the adjustment window read a photo.
#define QUORVANE_FUZZ_PHOTO_READS
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorvane::fuzz::ReadPhotoEveryWay(quorvane::fuzz::Bytes(data, size), "photo.heic");
    return 0;
}
