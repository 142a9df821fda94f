// Saving the settings editor's calculated layout text: overwriting the loaded layout file
// ("上書き保存") or writing it under the lowest free number ("別名で保存").
#pragma once

#include "text/Notice.h"
#include "text/Problem.h"

#include <optional>
#include <string>

namespace quorvane::layout {

// What the editor knows when a save is asked for.
struct LayoutSaveRequest {
    std::string settingsFolder;
    std::string layoutText;       // the text of the last successful calculation; empty when none
    std::string currentFileName;  // file of the loaded layout ("CustomSize0007.ini"); empty if new
    int editedRow = -1;           // list row of the loaded layout; negative for a new layout
    bool editorBusy = false;      // another reset or save is running
    bool sheetRunPending = false; // the sheet creation window is creating sheets
};

enum class LayoutSaveStatus {
    Refused, // a check failed or every file number is taken; nothing was written
    Saved,   // the whole text was written and renamed into place
    Failed,  // the write failed; the file keeps its old contents (or does not exist)
};

struct LayoutSaveResult {
    LayoutSaveStatus status = LayoutSaveStatus::Refused;
    bool savedAsNew = false; // the text went to a new file (a new list row on success)
    std::string fileName;    // the file written or attempted; empty when refused before choosing
    // What the operator is told: why a save was refused or failed, or that it was saved.
    std::optional<text::Problem> problem; // Refused and Failed
    std::optional<text::Notice> notice;   // Saved
};

// Overwrites the loaded layout file; without one (no file name or no edited row) it saves under a
// new number instead. On anything but Saved the caller keeps its fields and list as they are.
LayoutSaveResult SaveLayout(const LayoutSaveRequest& request);

// Writes the text to the lowest free "CustomSize%04d.ini" of the settings folder.
LayoutSaveResult SaveLayoutAs(const LayoutSaveRequest& request);

} // namespace quorvane::layout
