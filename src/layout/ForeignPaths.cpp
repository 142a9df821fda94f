#include "layout/ForeignPaths.h"

#include <QFileInfo>

namespace quorvane::layout {

bool IsWindowsPath(const std::string& path) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && letter(path[0]) && path[1] == ':' &&
        (path[2] == '\\' || path[2] == '/'))
        return true;
    return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

std::optional<text::Notice> ForeignBackgroundNotice(const SheetLayout& layout) {
    const std::string& path = layout.background_image;
    if (!IsWindowsPath(path) || QFileInfo::exists(QString::fromStdString(path)))
        return std::nullopt;
    return text::Notice{text::NoticeCode::kWindowsBackgroundPath,
                        {layout.ini_file_name, layout.name, path}};
}

} // namespace quorvane::layout
