// The main window's note beside its count (SkippedPhotos, in StatusBar1): how many files of the
// photo folder were not listed because their kind is not read (camera RAW), and, when pressed,
// their names. Hidden while there are none.
#pragma once

#include "files/LocalPath.h"

#include <QPushButton>
#include <QStringList>
#include <functional>

namespace quorvane {

class SkippedPhotos : public QPushButton {
    Q_OBJECT
  public:
    SkippedPhotos(bool japanese, QWidget* parent = nullptr);

    // The skipped photos' full paths (none: hidden).
    void setSkipped(const QList<LocalPath>& paths);
    const QList<LocalPath>& skipped() const { return paths_; }
    // The names, one line each, as the press shows them.
    QString namesText() const;

    // Shows the names to the operator; set by the window.
    std::function<void(const QString& text)> showNames;

  private:
    bool japanese_;
    QList<LocalPath> paths_;
};

} // namespace quorvane
