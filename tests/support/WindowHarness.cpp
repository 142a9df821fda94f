#include "WindowHarness.h"

#include "app/AppConfig.h"
#include "text/IniDocument.h"
#include "ui/MainWindowGrid.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDropEvent>
#include <QEventLoop>
#include <QFile>
#include <QMetaObject>
#include <QMimeData>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

namespace quorvane::test {

QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

void LetEventsRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QString ScreenshotPath(const char* name) {
    const QString dir = qEnvironmentVariable("QUORVANE_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return {};
    return dir + "/" + QString::fromLatin1(name) + "-" +
           qEnvironmentVariable("QUORVANE_SCREENSHOT_TAG", QStringLiteral("shot")) + ".png";
}

QString ScreenshotPhotos() {
    const QString photos = qEnvironmentVariable("QUORVANE_SCREENSHOT_PHOTOS");
    return photos.isEmpty() ? Q(SourceDir() / "examples/photos") : photos;
}

bool CaptureScreen(const QString& path) {
    return QProcess::execute(QStringLiteral("import"),
                             {QStringLiteral("-window"), QStringLiteral("root"), path}) == 0 &&
           QFile::exists(path);
}

WindowHarness::WindowHarness(std::optional<int> language, const QStringList& arguments,
                             const char* ini) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Q(dir / "config")));
    if (ini)
        WriteFile(dir / "config/Quorvane/initdata/Quorvane.ini", ini);
    AppContext context = StartUp(QStringList{QStringLiteral("quorvane")} + arguments);
    if (language)
        context.language = *language;
    window = std::make_unique<MainWindow>(context);
    window->showMessage = [this](const QString& text) { messages << text; };
    window->chooseFolder = [this](const QString& title, const QString& startFolder) {
        dialogs.push_back({title, startFolder});
        return nextChoice;
    };
    window->openFolder = [this](const LocalPath& folder) {
        opened << folder.text();
        return fileManager;
    };
}

QString WindowHarness::iniPath() const {
    return AppConfigPath(settingsFolder());
}

std::optional<std::string> WindowHarness::iniValue(const char* key) const {
    const auto doc = text::IniDocument::Load(QFile::encodeName(iniPath()).toStdString());
    if (!doc)
        return std::nullopt;
    return doc->value("SETTING", key);
}

QWidget* WindowHarness::find(const char* name, QWidget* in) const {
    QWidget* root = in ? in : window.get();
    auto* widget = root->findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << "no control " << name;
    return widget;
}

QString WindowHarness::text(const char* name) const {
    QWidget* widget = find(name);
    return widget ? widget->property("text").toString() : QString();
}

void WindowHarness::click(const char* name, QWidget* in) {
    if (auto* button = qobject_cast<QAbstractButton*>(find(name, in)))
        button->click();
    else
        ADD_FAILURE() << name << " is not a button";
}

void WindowHarness::clickLater(const char* name, QWidget* in) {
    if (auto* button = qobject_cast<QAbstractButton*>(find(name, in)))
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

QString WindowHarness::cell(int column, int row) const {
    return window->gridModel()->cell(column, row);
}

bool WindowHarness::drop(const QList<QUrl>& urls) {
    QWidget* target = find("DropTarget1");
    if (!target)
        return false;
    QMimeData mime;
    mime.setUrls(urls);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(QPoint(10, 10), offered, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    const bool taken = enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
    QDropEvent drop(QPointF(10, 10), offered, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return taken;
}

} // namespace quorvane::test
