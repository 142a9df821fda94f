#include "catalogue/FileTexts.h"

namespace quorvane {

QStringList OrderSheetColumns(bool japanese) {
    if (japanese)
        return {QStringLiteral("番号"), QStringLiteral("ページ"), QStringLiteral("ファイル名"),
                QStringLiteral("撮影日"), QStringLiteral("フォルダ")};
    return {QStringLiteral("No."), QStringLiteral("Page"), QStringLiteral("File name"),
            QStringLiteral("Shooting date"), QStringLiteral("Folder")};
}

} // namespace quorvane
