// The maker-note block with arbitrary description files: the first byte picks a real photo with a
// maker note (from $QUORVANE_FUZZ_PHOTOS, default ../shared/testdata/photos) and whether the file
// is found by its Model or its Make; the rest is the description file.
#include "FuzzSupport.h"

#include "exif/ExifReader.h"
#include "exif/MakerNoteDescription.h"
#include "text/TextDecode.h"

#include <algorithm>
#include <vector>

using namespace quorvane;

namespace {

struct Camera {
    std::string photo;
    std::string model; // description file names
    std::string make;
};

// The value of the report line "name:    value", or empty.
std::string LineValue(const std::vector<std::string>& lines, const std::string& name) {
    const std::string prefix = name + ":    ";
    for (const std::string& line : lines)
        if (line.compare(0, prefix.size(), prefix) == 0)
            return exif::DescriptionFileName(line.substr(prefix.size()));
    return {};
}

std::vector<Camera> FindCameras() {
    const char* env = std::getenv("QUORVANE_FUZZ_PHOTOS");
    const std::filesystem::path root =
        env ? std::filesystem::path(env)
            : std::filesystem::path(QUORVANE_SOURCE_DIR) / "../shared/testdata/photos";
    std::vector<std::string> photos;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file() && it->path().extension() == ".jpg")
            photos.push_back(it->path().string());
    std::sort(photos.begin(), photos.end());
    std::vector<Camera> cameras;
    exif::ExifOptions options;
    options.makerNotes = true;
    options.maxDumpBinCt = 8192;
    options.settingsFolder = fuzz::Scratch() + "/none";
    for (const std::string& photo : photos) {
        std::vector<std::string> lines;
        exif::ReadReport(photo, lines, options);
        if (std::find(lines.begin(), lines.end(), "<< MakeNote >>") == lines.end())
            continue;
        cameras.push_back({photo, LineValue(lines, "Model"), LineValue(lines, "Make")});
    }
    if (cameras.empty()) {
        std::fprintf(stderr, "no photo with a maker note under %s\n", root.c_str());
        std::exit(1);
    }
    return cameras;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<Camera> cameras = FindCameras();
    if (size < 1)
        return 0;
    const Camera& camera = cameras[data[0] % cameras.size()];
    const bool byMake = data[0] & 0x80;
    const std::string folder = fuzz::Scratch() + "/settings";
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    const std::string& name = byMake ? camera.make : camera.model;
    fuzz::WriteBytes(folder + "/" + name + ".ini", fuzz::Bytes(data + 1, size - 1));

    exif::ExifOptions options;
    options.settingsFolder = folder;
    options.makerNotes = true;
    options.japaneseNames = data[0] & 0x40;
    std::vector<std::string> lines;
    exif::ReadReport(camera.photo, lines, options);
    for (const std::string& line : lines)
        QUORVANE_FUZZ_CHECK(text::IsValidUtf8(line));
    return 0;
}
