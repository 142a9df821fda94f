// The EXIF report and the shooting-date query on arbitrary file bytes, with the shipped maker-note
// descriptions at hand and the report limits at both ends.
#include "FuzzSupport.h"

#include "exif/ExifReader.h"
#include "text/TextDecode.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string photo = fuzz::Scratch() + "/photo.jpg";
    fuzz::WriteBytes(photo, fuzz::Bytes(data, size));
    exif::ExifOptions options;
    options.settingsFolder = std::string(QUORVANE_SOURCE_DIR) + "/initdata";
    options.makerNotes = true;
    const std::string date = exif::ShootingDate(photo, options);
    QUORVANE_FUZZ_CHECK(text::IsValidUtf8(date));
    struct Limits {
        int col, cap;
        bool japanese;
    };
    for (const Limits& limits :
         {Limits{16, 32, false}, Limits{4, 4, true}, Limits{256, 8192, false}}) {
        options.maxTagLineCol = limits.col;
        options.maxDumpBinCt = limits.cap;
        options.japaneseNames = limits.japanese;
        std::vector<std::string> lines;
        const int code = exif::ReadReport(photo, lines, options);
        QUORVANE_FUZZ_CHECK(code <= 0 && code >= -6);
        for (const std::string& line : lines)
            QUORVANE_FUZZ_CHECK(text::IsValidUtf8(line));
    }
    return 0;
}
