#include "layout/LayoutSave.h"

#include "layout/LayoutFiles.h"
#include "text/FileIO.h"

namespace quorvane::layout {

namespace {

// The checks both saves make first; true when one refused the save.
bool Refuse(const LayoutSaveRequest& request, LayoutSaveResult& result) {
    std::optional<text::ProblemCode> refusal;
    if (request.editorBusy)
        refusal = text::ProblemCode::kLayoutSaveBusy;
    else if (request.layoutText.empty())
        refusal = text::ProblemCode::kLayoutSaveNotCalculated;
    else if (request.sheetRunPending)
        refusal = text::ProblemCode::kLayoutSaveSheetRun;
    if (!refusal)
        return false;
    result.status = LayoutSaveStatus::Refused;
    result.problem = text::Problem{*refusal, {}};
    return true;
}

// Success is the atomic write itself: the whole text in a temporary file renamed over the target.
// A file that merely exists afterwards proves nothing when it was there before.
LayoutSaveResult Write(const LayoutSaveRequest& request, const std::string& fileName, bool asNew) {
    LayoutSaveResult result;
    result.savedAsNew = asNew;
    result.fileName = fileName;
    // The name comes from the editor's list; one that leaves the settings folder is not written.
    bool plainName = !fileName.empty() && fileName.find('/') == std::string::npos &&
                     fileName != "." && fileName != "..";
    bool ok =
        plainName && text::WriteFileAtomically(LayoutFilePath(request.settingsFolder, fileName),
                                               request.layoutText);
    result.status = ok ? LayoutSaveStatus::Saved : LayoutSaveStatus::Failed;
    if (ok)
        result.notice = text::Notice{asNew ? text::NoticeCode::kLayoutSaved
                                           : text::NoticeCode::kLayoutOverwritten,
                                     {fileName}};
    else
        result.problem = text::Problem{asNew ? text::ProblemCode::kLayoutNotSaved
                                             : text::ProblemCode::kLayoutNotOverwritten,
                                       {fileName}};
    return result;
}

LayoutSaveResult SaveAsChecked(const LayoutSaveRequest& request) {
    int number = FindFreeLayoutNumber(request.settingsFolder);
    if (number == 0) {
        LayoutSaveResult result;
        result.status = LayoutSaveStatus::Refused;
        result.savedAsNew = true;
        result.problem = text::Problem{text::ProblemCode::kLayoutSaveNoFreeNumber,
                                       {std::to_string(kMaxLayoutFiles)}};
        return result;
    }
    return Write(request, LayoutFileName(number), true);
}

} // namespace

LayoutSaveResult SaveLayout(const LayoutSaveRequest& request) {
    LayoutSaveResult result;
    if (Refuse(request, result))
        return result;
    if (request.currentFileName.empty() || request.editedRow < 0)
        return SaveAsChecked(request);
    return Write(request, request.currentFileName, false);
}

LayoutSaveResult SaveLayoutAs(const LayoutSaveRequest& request) {
    LayoutSaveResult result;
    if (Refuse(request, result))
        return result;
    return SaveAsChecked(request);
}

} // namespace quorvane::layout
