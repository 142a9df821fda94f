// The layout files of the settings folder: their names, loading every enabled one into a
// SheetLayout record, and finding the number a new file gets.
#pragma once

#include "layout/SheetLayout.h"
#include "text/Problem.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::layout {

// Layout files are numbered 1 to 1000; higher numbers are never looked at.
inline constexpr int kMaxLayoutFiles = 1000;

// "CustomSize0007.ini" for 7.
std::string LayoutFileName(int number);
// The folder joined with a file name by "/" (the folder may end in "/" already).
std::string LayoutFilePath(const std::string& folder, const std::string& fileName);

// Hooks that keep a long loop responsive and stoppable; either may be empty.
struct LoopHooks {
    std::function<void()> yield;         // lets pending events run
    std::function<bool()> stopRequested; // true ends the loop before the next item
};

// Whether a layout file is enabled: CHECKBOX7 of [INPUT] ("設定を有効にする") is non-zero.
bool IsEnabledLayout(const text::IniDocument& doc);

// The layouts of a settings folder, or why they could not be read.
struct LoadedLayouts {
    std::vector<SheetLayout> layouts;
    // kLayoutsUnreadable when reading failed as a whole (memory ran out, say); no layouts then.
    std::optional<text::Problem> problem;
};

// Reads every enabled layout file of the folder (CHECKBOX7 of [INPUT] non-zero), in ascending
// file number, each with its file name in `ini_file_name`. Before each file number the yield hook
// runs and the stop request is tested; a stop returns the records read so far. Files that are
// missing, unreadable or disabled are skipped. Nothing is thrown: a failure, the hooks' own
// included, is the result's problem.
LoadedLayouts LoadSheetLayouts(const std::string& folder, bool japanese,
                               const LoopHooks& hooks = {});

// One layout file as the settings editor lists it, enabled or not.
struct LayoutFileEntry {
    std::string fileName; // "CustomSize0007.ini"
    bool enabled = false; // CHECKBOX7 of [INPUT] non-zero ("設定を有効にする")
    std::string name;     // `name` of [PAPER]; empty when missing
};

// Every readable layout file of the folder, in ascending file number, enabled or disabled.
std::vector<LayoutFileEntry> ListLayoutFiles(const std::string& folder);

// The lowest number from 1 to 1000 whose file (or any other entry of that name) does not exist in
// the folder, or 0 when every number is taken.
int FindFreeLayoutNumber(const std::string& folder);

} // namespace quorvane::layout
