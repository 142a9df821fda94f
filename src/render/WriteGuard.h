// Whether a run may write one of its files under a name in its output folder: never over a listed
// photo, and in a folder being listed (the photos' own folder) never over anything.
#pragma once

#include <QString>
#include <optional>

namespace quorvane {

class OutputFolder;
class PhotoGuard;

class WriteGuard {
  public:
    // Either may be null: then every name may be written.
    WriteGuard(OutputFolder* folder, PhotoGuard* guard) : folder_(folder), guard_(guard) {}

    // True when the file may be written under the name; anything else there (a link, never
    // followed, an old page) is replaced.
    bool mayWrite(const QString& name);
    // True when the output folder is one of the folders being listed.
    bool outputListed();

  private:
    OutputFolder* folder_;
    PhotoGuard* guard_;
    std::optional<bool> listed_;
};

} // namespace quorvane
