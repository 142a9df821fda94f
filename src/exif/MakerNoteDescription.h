// Maker-note description files: INI files in the settings folder, named after a camera's Model
// or Make, that give the layout of its maker note and names for its tags.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane::exif {

// The "ADROFSET" section: where the note's IFD lies and where its value offsets count from.
struct DescriptionLayout {
    bool relative = false; // TifAddressType "relative": offsets count from the note itself
    int rdad = -1;         // entry start, from the note
    int tifHeader = -1;    // offset base, from the note (relative) or from the TIFF header shift
    int tagCt = -1;        // position of the entry count, from the note
    int makerNoteVer = -1; // name set

    // Only a layout whose positions are all in range is used.
    bool usable() const;
};

struct MakerTagRow {
    int tag;
    std::string english;
    std::string japanese; // the English name when the file gives none
};

// The name of the description file of a Model or Make text (without folder and ".ini"):
// trailing white space removed, then every ",", "." and "\" taken out, and "/" too, so that the
// name stays one file in the settings folder.
std::string DescriptionFileName(const std::string& cameraText);

// The name rows gathered from the description files read for one maker note.
class MakerNoteDescriptions {
  public:
    static constexpr size_t kMaxRows = 200;

    // Reads settingsFolder/<DescriptionFileName(cameraText)>.ini when it can be read: adds its
    // name rows and returns its layout when that is usable. Nothing happens for an empty folder.
    std::optional<DescriptionLayout> Read(const std::string& settingsFolder,
                                          const std::string& cameraText);

    // The first row for the tag, or nullptr.
    const MakerTagRow* Find(int tag) const;
    size_t rowCount() const { return rows_.size(); }

  private:
    std::vector<MakerTagRow> rows_;
};

} // namespace quorvane::exif
