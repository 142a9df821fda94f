// JPEG, PNG and GIF photos as Qt reads them, with what is read beside Qt: the ICC profile of a
// JPEG's APP2 segments and of a PNG's iCCP chunk, and a CMYK JPEG with a CMYK profile decoded by
// libjpeg through it; each read as the run, the photo list and the adjustment window read a photo.
#define QUORVANE_FUZZ_PHOTO_READS
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorvane::fuzz::ReadPhotoEveryWay(quorvane::fuzz::Bytes(data, size), "photo.jpg");
    return 0;
}
