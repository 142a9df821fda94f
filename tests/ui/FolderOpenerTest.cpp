// Opening a folder from a window: the desktop gets the folder's exact bytes, and the operator is
// told readably where the folder is when no file manager opens it.
#include "ui/FolderOpener.h"

#include "files/LocalPath.h"

#include <QDesktopServices>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Takes the addresses the desktop would be asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QByteArray> opened;
  public slots:
    void open(const QUrl& url) { opened << url.toEncoded(); }
};

TEST(FolderOpener, OpensAndNamesAFolderByItsBytes) {
    const struct {
        QByteArray folder;
        QByteArray url;
        const char* shown;
    } cases[] = {
        {"/tmp/save/IndexSheetFolder", "file:///tmp/save/IndexSheetFolder",
         "/tmp/save/IndexSheetFolder"},
        {"/tmp/写真 1", "file:///tmp/%E5%86%99%E7%9C%9F%201", "/tmp/写真 1"},
        // CP932 "テス" and Latin-1 "é".
        {"/tmp/\x83\x65\x83\x58/caf\xe9", "file:///tmp/%83e%83X/caf%E9", "/tmp/テス/caf\\xe9"},
    };
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const quorvane::LocalPath folder = quorvane::LocalPath::FromBytes(c.folder);
        catcher.opened.clear();
        EXPECT_TRUE(quorvane::OpenFolderInFileManager(folder));
        EXPECT_EQ(catcher.opened, QList<QByteArray>{c.url});
        EXPECT_EQ(quorvane::FolderNotOpenedMessage(folder, false),
                  "No file manager could open the folder. It is here:\n" +
                      QString::fromUtf8(c.shown));
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

} // namespace

#include "FolderOpenerTest.moc"
