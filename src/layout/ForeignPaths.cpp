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

QString ForeignBackgroundNotice(const SheetLayout& layout, bool japanese) {
    const std::string& path = layout.background_image;
    if (!IsWindowsPath(path) || QFileInfo::exists(QString::fromStdString(path)))
        return {};
    const QString file = QString::fromStdString(layout.ini_file_name);
    const QString name = QString::fromStdString(layout.name);
    const QString where = QString::fromStdString(path);
    if (japanese)
        return QStringLiteral(
                   "レイアウト %1（%2）の背景画像は Windows のパスで、このコンピューターに"
                   "はありません。設定を編集して背景画像を選び直してください: %3")
            .arg(file, name, where);
    return QStringLiteral("The layout %1 (%2) names its background image by a Windows path, which "
                          "does not exist here. Edit the layout and choose the image again: %3")
        .arg(file, name, where);
}

} // namespace quorvane::layout
