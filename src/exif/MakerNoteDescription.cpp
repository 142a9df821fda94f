#include "exif/MakerNoteDescription.h"

#include "text/IniDocument.h"

#include <algorithm>

namespace quorvane::exif {

namespace {

constexpr int kMaxPosition = 65535;
constexpr int kMaxCountPosition = 63;

} // namespace

bool DescriptionLayout::usable() const {
    return rdad >= 0 && rdad <= kMaxPosition && tifHeader >= 0 && tifHeader <= kMaxPosition &&
           tagCt >= 0 && tagCt <= kMaxCountPosition;
}

std::string DescriptionFileName(const std::string& cameraText) {
    std::string name = cameraText;
    while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ')
        name.pop_back();
    std::erase_if(name, [](char c) { return c == ',' || c == '.' || c == '\\' || c == '/'; });
    return name;
}

std::optional<DescriptionLayout> MakerNoteDescriptions::Read(const std::string& settingsFolder,
                                                             const std::string& cameraText) {
    if (settingsFolder.empty())
        return std::nullopt;
    std::string path = settingsFolder + "/" + DescriptionFileName(cameraText) + ".ini";
    std::optional<text::IniDocument> ini = text::IniDocument::Load(path);
    if (!ini)
        return std::nullopt;

    int sections =
        std::clamp(ini->intValue("MAKERNOTE", "TagCt", 0), 0, static_cast<int>(kMaxRows));
    for (int n = 0; n < sections && rows_.size() < kMaxRows; ++n) {
        std::string section = "MAKERNOTE_TAG_" + std::to_string(n);
        std::string english = ini->value(section, "TitleE", "");
        if (english.empty())
            continue;
        std::string japanese = ini->value(section, "TitleJ", "");
        if (japanese.empty())
            japanese = english;
        rows_.push_back({ini->intValue(section, "TagID", -1), english, japanese});
    }

    DescriptionLayout layout;
    layout.relative = ini->value("ADROFSET", "TifAddressType", "absolute") == "relative";
    layout.rdad = ini->intValue("ADROFSET", "Rdad", -1);
    layout.tifHeader = ini->intValue("ADROFSET", "TifHeader", -1);
    layout.tagCt = ini->intValue("ADROFSET", "TagCt", -1);
    layout.makerNoteVer = ini->intValue("ADROFSET", "MakerNoteVer", -1);
    if (!layout.usable())
        return std::nullopt;
    return layout;
}

const MakerTagRow* MakerNoteDescriptions::Find(int tag) const {
    for (const MakerTagRow& row : rows_)
        if (row.tag == tag)
            return &row;
    return nullptr;
}

} // namespace quorvane::exif
