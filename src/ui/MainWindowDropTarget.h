// The main window's drop area (DropTarget1): takes folders and files dragged from a file manager.
#pragma once

#include "files/LocalPath.h"

#include <QLabel>
#include <QStringList>

namespace quorvane {

// A framed label that accepts every drag, always offering the copy operation, and reports the
// dropped local names in their order (none for a drag without file names). What a name means is the
// window's business.
class PhotoDropTarget : public QLabel {
    Q_OBJECT
  public:
    explicit PhotoDropTarget(QWidget* parent = nullptr);

  signals:
    void namesDropped(const QList<quorvane::LocalPath>& names);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void setHighlighted(bool on);
};

} // namespace quorvane
