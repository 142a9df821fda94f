#include "ui/MainWindowDropTarget.h"

#include "app/DropRule.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace quorvane {

namespace {

const char* const kStyle = "QLabel { border: 2px dashed #8a8a8a; border-radius: 6px; "
                           "background: #f4f6f8; color: #404040; padding: 4px; }";
const char* const kHighlightStyle = "QLabel { border: 2px dashed #2a6fd6; border-radius: 6px; "
                                    "background: #e2ecfb; color: #202020; padding: 4px; }";

} // namespace

PhotoDropTarget::PhotoDropTarget(QWidget* parent) : QLabel(parent) {
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setStyleSheet(QString::fromLatin1(kStyle));
}

// Every drag is offered the copy operation; what it carries is judged on the drop.
void PhotoDropTarget::dragEnterEvent(QDragEnterEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setHighlighted(true);
}

void PhotoDropTarget::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void PhotoDropTarget::dragLeaveEvent(QDragLeaveEvent* event) {
    setHighlighted(false);
    QLabel::dragLeaveEvent(event);
}

void PhotoDropTarget::dropEvent(QDropEvent* event) {
    setHighlighted(false);
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Only names on this machine can be photo folders; other addresses are left out, and a drag
    // without names drops none.
    emit namesDropped(
        LocalNamesOfUriList(event->mimeData()->data(QStringLiteral("text/uri-list"))));
}

void PhotoDropTarget::setHighlighted(bool on) {
    setStyleSheet(QString::fromLatin1(on ? kHighlightStyle : kStyle));
}

} // namespace quorvane
