#include "layout/LayoutFiles.h"

#include "text/IniDocument.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>

namespace quorvane::layout {

namespace fs = std::filesystem;

std::string LayoutFileName(int number) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "CustomSize%04d.ini", number);
    return buffer;
}

std::string LayoutFilePath(const std::string& folder, const std::string& fileName) {
    if (folder.empty() || folder.back() == '/')
        return folder + fileName;
    return folder + "/" + fileName;
}

bool IsEnabledLayout(const text::IniDocument& doc) {
    return doc.intValue("INPUT", "CHECKBOX7", 0) != 0;
}

namespace {

std::vector<SheetLayout> ReadEnabledLayouts(const std::string& folder, bool japanese,
                                            const LoopHooks& hooks) {
    std::vector<SheetLayout> layouts;
    for (int i = 1; i <= kMaxLayoutFiles; ++i) {
        if (hooks.yield)
            hooks.yield();
        if (hooks.stopRequested && hooks.stopRequested())
            break;
        std::string fileName = LayoutFileName(i);
        std::string path = LayoutFilePath(folder, fileName);
        std::error_code ec;
        if (!fs::is_regular_file(fs::path(path), ec))
            continue;
        auto doc = text::IniDocument::Load(path);
        if (!doc || !IsEnabledLayout(*doc))
            continue;
        SheetLayout layout = ReadSheetLayout(*doc, japanese);
        layout.ini_file_name = fileName;
        layouts.push_back(std::move(layout));
    }
    return layouts;
}

} // namespace

LoadedLayouts LoadSheetLayouts(const std::string& folder, bool japanese, const LoopHooks& hooks) {
    LoadedLayouts loaded;
    try {
        loaded.layouts = ReadEnabledLayouts(folder, japanese, hooks);
    } catch (const std::exception&) {
        loaded.layouts.clear();
        loaded.problem = text::Problem{text::ProblemCode::kLayoutsUnreadable, {}};
    }
    return loaded;
}

std::vector<LayoutFileEntry> ListLayoutFiles(const std::string& folder) {
    std::vector<LayoutFileEntry> entries;
    for (int i = 1; i <= kMaxLayoutFiles; ++i) {
        std::string fileName = LayoutFileName(i);
        std::string path = LayoutFilePath(folder, fileName);
        std::error_code ec;
        if (!fs::is_regular_file(fs::path(path), ec))
            continue;
        auto doc = text::IniDocument::Load(path);
        if (!doc)
            continue;
        entries.push_back({std::move(fileName), doc->intValue("INPUT", "CHECKBOX7", 0) != 0,
                           doc->value("PAPER", "name", "")});
    }
    return entries;
}

int FindFreeLayoutNumber(const std::string& folder) {
    for (int i = 1; i <= kMaxLayoutFiles; ++i) {
        std::error_code ec;
        auto status = fs::symlink_status(fs::path(LayoutFilePath(folder, LayoutFileName(i))), ec);
        // An entry that cannot be examined is not counted as taken: the write reports it.
        if (status.type() == fs::file_type::not_found || status.type() == fs::file_type::none)
            return i;
    }
    return 0;
}

} // namespace quorvane::layout
