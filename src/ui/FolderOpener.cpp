#include "ui/FolderOpener.h"

#include <QDesktopServices>
#include <QLoggingCategory>
#include <QUrl>

namespace quorvane {

namespace {

Q_LOGGING_CATEGORY(lcWindows, "quorvane.ui")

// Qt warns on stderr at every call when the desktop has no launcher; those lines are held back
// for the duration of the call and replaced by this module's single log line.
void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

QString FolderNotOpenedMessage(const QString& folder, bool japanese) {
    return (japanese ? QStringLiteral("フォルダを開けるファイルマネージャーがありません。"
                                      "フォルダの場所:\n")
                     : QStringLiteral("No file manager could open the folder. It is here:\n")) +
           folder;
}

bool OpenFolderInFileManager(const QString& folder) {
    static bool failureLogged = false;
    const QtMessageHandler previous = qInstallMessageHandler(DropMessage);
    const bool opened = QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    qInstallMessageHandler(previous);
    if (!opened && !failureLogged) {
        failureLogged = true;
        qCInfo(lcWindows).noquote() << "No file manager could be started to open" << folder
                                    << "(later failures are not logged).";
    }
    return opened;
}

} // namespace quorvane
