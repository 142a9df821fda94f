// Shared by the fuzz targets: a private scratch folder per process, file writing, and a check
// that ends the run as a finding.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quorvane::fuzz {

// A folder of this process below the temporary folder, removed when the process ends.
inline const std::string& Scratch() {
    static const std::string folder = [] {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "quorvane-fuzz-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            std::abort();
        static const std::string removed = tmpl;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(removed, ec);
        });
        return tmpl;
    }();
    return folder;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string_view Bytes(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A broken promise of the code under test: reported and the input kept, like a crash.
#define QUORVANE_FUZZ_CHECK(condition)                                                             \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

} // namespace quorvane::fuzz

#ifdef QUORVANE_FUZZ_PHOTO_READS
#include "exif/ExifReader.h"
#include "files/LocalPath.h"
#include "render/PhotoSource.h"
#include "render/PreparedPhoto.h"

namespace quorvane::fuzz {

// The bytes as a photo file named `name`, read every way a photo is read: its date and report,
// its header, its pixels at full size and reduced, prepared for a cell, loaded for the adjustment
// window. Whatever they hold, each read ends with pixels of the promised size or with nothing.
inline void ReadPhotoEveryWay(std::string_view bytes, const char* name) {
    const std::string path = Scratch() + "/" + name;
    WriteBytes(path, bytes);
    exif::ShootingDate(path);
    std::vector<std::string> lines;
    exif::ReadReport(path, lines);
    const LocalPath file = LocalPath::FromBytes(QByteArray::fromStdString(path));
    const PhotoHeader header = ReadPhotoHeader(file);
    if (header.upright.isValid()) {
        QUORVANE_FUZZ_CHECK(header.needs.allowed(1) || header.jpeg || header.reducible);
        for (const int factor : {1, 4}) {
            const DecodedPhoto photo = DecodePhoto(file, header, factor);
            QUORVANE_FUZZ_CHECK(photo.image.isNull() ||
                                photo.image.size() == photo.frame.decodedSize());
        }
        PhotoPlanInput cell;
        cell.cell = QSize(64, 48);
        PreparePhoto(file, cell, false);
    }
    const QImage loaded = LoadPhoto(file);
    QUORVANE_FUZZ_CHECK(loaded.isNull() || loaded.format() == QImage::Format_ARGB32);
}

} // namespace quorvane::fuzz
#endif
