// What the core tells the operator that is no failure: that something was done, or something
// about the set-up that the program goes on with. Worded by the windows and the batch command
// (catalogue/NoticeText.h), as problems are.
#pragma once

#include <string>
#include <vector>

namespace quorvane::text {

// One code per notice; the comment of each says what its arguments are, in the order the text
// uses them.
enum class NoticeCode : int {
    // A run ended with its sheets made.
    kSheetsCreated,
    // The settings editor saved its layout; argument: the file name. Japanese in both languages,
    // as the editor's save messages are. As a new file:
    kLayoutSaved,
    // Over the loaded layout:
    kLayoutOverwritten,
    // The settings folder could not be made: no settings are kept, defaults are used; argument:
    // the folder.
    kSettingsFolderUnmakeable,
    // No installed font draws Japanese: such text on the sheets would show as boxes.
    kNoJapaneseFont,
    // A layout names its background image by a Windows path that does not exist here; arguments:
    // the layout's file, its name, the path.
    kWindowsBackgroundPath,
    // A photo of a kind that is not read (a camera RAW file) was left out of the list; argument:
    // its file name.
    kPhotoKindNotRead,
    // "既存のファイルは上書きしない": the PDF or order sheet (or both) was in the output folder
    // before the run and stays; the run makes none. Argument: the files, one a line.
    kRunFileKept,

    kCount // not a notice: the number of codes
};

struct Notice {
    NoticeCode code;
    // UTF-8 texts in the order the notice uses them.
    std::vector<std::string> args;
};

} // namespace quorvane::text
