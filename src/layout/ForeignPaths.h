// Layout files written by the Windows program name their background image by a Windows path
// ("C:\photos\bg.jpg"), which cannot exist here: such a layout is pointed out before a run, so
// the operator knows which layout to edit.
#pragma once

#include "layout/SheetLayout.h"
#include "text/Notice.h"

#include <optional>
#include <string>

namespace quorvane::layout {

// A drive-letter path ("C:\..." or "C:/...") or a network path ("\\server\share").
bool IsWindowsPath(const std::string& path);

// The notice for a layout whose background image is a Windows path that does not exist here:
// kWindowsBackgroundPath naming the layout's file and name and the path. Nothing otherwise.
std::optional<text::Notice> ForeignBackgroundNotice(const SheetLayout& layout);

} // namespace quorvane::layout
