#include "AdjustHarness.h"

#include <QAbstractButton>
#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QTimer>

namespace quorvane::test {

layout::SheetLayout OnePhotoLayout(int photos) {
    layout::SheetLayout layout = layout::DefaultSheetLayout(true);
    layout.photo_ct = photos;
    layout.photo_width = 1181;
    layout.photo_height = 827;
    layout.l_size_trim = layout.trim2mm = false;
    return layout;
}

QString DrawnPhoto(int width, int height, const char* suffix) {
    static TempDir folder;
    static QMap<QString, QString> made;
    const QString name = QStringLiteral("%1x%2.%3").arg(width).arg(height).arg(suffix);
    if (!made.contains(name)) {
        QImage photo(width, height, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient across(0, 0, width, 0);
        across.setColorAt(0, QColor(30, 90, 160));
        across.setColorAt(1, QColor(220, 140, 60));
        painter.fillRect(photo.rect(), across);
        painter.fillRect(QRect(width / 4, height / 4, width / 2, height / 2), QColor(90, 170, 90));
        painter.end();
        made[name] = QString::fromStdString((folder / name.toStdString()).string());
        EXPECT_TRUE(photo.save(made[name]));
    }
    return made[name];
}

AdjustHarness::AdjustHarness(bool japanese) : dialog(std::make_unique<AdjustmentDialog>(japanese)) {
    dialog->showMessage = [this](const QString& text) { messages << text; };
}

PhotoAdjustment AdjustHarness::adjust(const QString& path, const layout::SheetLayout& layout,
                                      const std::function<void()>& whileShown) {
    QTimer::singleShot(0, dialog.get(), [this, whileShown] {
        EXPECT_TRUE(dialog->isVisible());
        whileShown();
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog->reject();
        }
    });
    return dialog->AdjustPhoto(LocalPath::FromText(path), layout);
}

void AdjustHarness::click(const char* name) {
    control<QAbstractButton>(name)->click();
}

} // namespace quorvane::test
