// TIFF photos (libtiff): the file's own directories read by the EXIF reader through its windows,
// the Orientation and ICC tags, the pixels; each read as the run, the photo list and the adjustment
// window read a photo.
#define QUORVANE_FUZZ_PHOTO_READS
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorvane::fuzz::ReadPhotoEveryWay(quorvane::fuzz::Bytes(data, size), "photo.tif");
    return 0;
}
