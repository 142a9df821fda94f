// A real main window on a temporary settings folder, with its folder dialog, messages and folder
// opening recorded instead of shown, and helpers that drive its controls by objectName.
#pragma once

#include "ui/MainWindow.h"

#include "TestSupport.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <optional>
#include <vector>

namespace quorvane::test {

QString Q(const std::filesystem::path& path);

// Runs the event loop for a while, so that windows are mapped and painted.
void LetEventsRun(int milliseconds);
// The screenshot file `name` + "-" + QUORVANE_SCREENSHOT_TAG + ".png" in QUORVANE_SCREENSHOT_DIR,
// or empty text when no screenshots are asked for (tests/screenshots.sh sets both).
QString ScreenshotPath(const char* name);
// The photo folder the screenshots list: QUORVANE_SCREENSHOT_PHOTOS, or the example photos.
QString ScreenshotPhotos();
// Captures the whole X screen into the file with ImageMagick's "import"; false on failure.
bool CaptureScreen(const QString& path);

struct WindowHarness {
    struct DialogCall {
        QString title;
        QString startFolder;
    };

    // Starts up as the program does with `arguments` after the program path, on a settings folder
    // below a temporary XDG_CONFIG_HOME holding `ini` as Quorvane.ini when given; `language`
    // replaces the system's choice when given.
    explicit WindowHarness(std::optional<int> language = std::nullopt,
                           const QStringList& arguments = {}, const char* ini = nullptr);

    QString settingsFolder() const { return window->context().settingsFolder; }
    QString iniPath() const;
    // A key of section SETTING in Quorvane.ini; nullopt when the file or the key is missing.
    std::optional<std::string> iniValue(const char* key) const;

    // Controls of the main window, or of the window `in` when given.
    QWidget* find(const char* name, QWidget* in = nullptr) const; // fails the test when absent
    QString text(const char* name) const;                         // the control's "text" property
    void click(const char* name, QWidget* in = nullptr);
    // Clicks later, from the event loop, as a press during a build arrives.
    void clickLater(const char* name, QWidget* in = nullptr);
    QString cell(int column, int row) const;
    // Sends a drag-enter and a drop of these URLs to DropTarget1; true when the drag was taken
    // with the copy operation.
    bool drop(const QList<QUrl>& urls);

    TempDir dir;
    QStringList messages;
    std::vector<DialogCall> dialogs;
    QString nextChoice; // what the folder dialog returns; empty text cancels
    QStringList opened;
    bool fileManager = true; // whether opening a folder succeeds
    std::unique_ptr<MainWindow> window;
};

} // namespace quorvane::test
