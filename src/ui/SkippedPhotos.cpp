#include "ui/SkippedPhotos.h"

#include "catalogue/NoticeText.h"
#include "catalogue/Wording.h"
#include "files/PhotoList.h"

namespace quorvane {

SkippedPhotos::SkippedPhotos(bool japanese, QWidget* parent)
    : QPushButton(parent), japanese_(japanese) {
    setObjectName(QStringLiteral("SkippedPhotos"));
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("QPushButton { color: #a04000; text-decoration: underline; "
                                 "border: none; padding: 0 4px; }"));
    hide();
    connect(this, &QPushButton::clicked, this, [this] {
        if (showNames && !paths_.isEmpty())
            showNames(namesText());
    });
}

void SkippedPhotos::setSkipped(const QList<LocalPath>& paths) {
    paths_ = paths;
    setText(Pick(japanese_, "読み込めない形式 %1 件をスキップ（名前を表示）",
                 "%1 skipped, format not supported (show names)")
                .arg(paths_.size()));
    setVisible(!paths_.isEmpty());
}

QString SkippedPhotos::namesText() const {
    QStringList lines;
    for (const LocalPath& path : paths_)
        lines << NoticeText(SkippedPhotoNotice(path), japanese_);
    return lines.join(QLatin1Char('\n'));
}

} // namespace quorvane
