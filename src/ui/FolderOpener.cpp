#include "ui/FolderOpener.h"

#include "files/LocalPath.h"

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

QString FolderNotOpenedMessage(const LocalPath& folder, bool japanese) {
    return (japanese ? QStringLiteral("フォルダを開けるファイルマネージャーがありません。"
                                      "フォルダの場所:\n")
                     : QStringLiteral("No file manager could open the folder. It is here:\n")) +
           folder.display();
}

bool OpenFolderInFileManager(const LocalPath& folder) {
    static bool failureLogged = false;
    const QtMessageHandler previous = qInstallMessageHandler(DropMessage);
    // The address carries the folder's exact bytes percent-encoded, so that a folder named in
    // CP932 is opened, not one of the replacement characters QUrl::fromLocalFile would make.
    const QUrl url =
        QUrl::fromEncoded("file://" + folder.bytes().toPercentEncoding(QByteArrayLiteral("/")));
    const bool opened = QDesktopServices::openUrl(url);
    qInstallMessageHandler(previous);
    if (!opened && !failureLogged) {
        failureLogged = true;
        qCInfo(lcWindows).noquote() << "No file manager could be started to open"
                                    << folder.display() << "(later failures are not logged).";
    }
    return opened;
}

} // namespace quorvane
