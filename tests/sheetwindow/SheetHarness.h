// The real main window with its sheet creation window, on a temporary settings folder holding
// the test's own layouts; messages and opened folders are recorded instead of shown.
#pragma once

#include "ui/SheetWindow.h"

#include "WindowHarness.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>

#include <string>

namespace quorvane::test {

struct SheetHarness : WindowHarness {
    // `ini`, when given, is the Quorvane.ini the program starts with.
    explicit SheetHarness(int language, const char* ini = nullptr)
        : WindowHarness(language, {}, ini) {
        sheet = new SheetWindow(*window); // a window of the main window, deleted with it
        sheet->showMessage = [this](const QString& text) { sheetMessages << text; };
        sheet->openInFileManager = [this](const LocalPath& folder) {
            opened << folder.text();
            return fileManager;
        };
        // Only the test's layouts: the shipped ones are removed from the settings folder.
        QDir settings(settingsFolder());
        for (const QString& name : settings.entryList({"CustomSize*.ini"}, QDir::Files))
            settings.remove(name);
    }

    // An enabled layout file: 2 x 2 cells of 100 x 80 on a 300 x 220 page unless one photo.
    // `extra` lines are appended (more sections and keys).
    void writeLayout(int number, const std::string& name, const std::string& title, int photos = 4,
                     const std::string& extra = "") {
        const bool one = photos == 1;
        WriteFile(std::filesystem::path(settingsFolder().toStdString()) /
                      ("CustomSize000" + std::to_string(number) + ".ini"),
                  "[PAPER]\nname=" + name +
                      "\nwidth=300\nheight=220\nleft_margin=20\nright_margin=20\ntop_margin=20\n"
                      "bottom_margin=20\n[PHOTO]\nphoto_ct=" +
                      std::to_string(photos) + "\nphoto_row=" + (one ? "1" : "2") +
                      "\nphoto_col=" + (one ? "1" : "2") +
                      "\nphoto_width=100\nphoto_height=80\n[TITLE]\ntitle=" + title +
                      "\ntitle_font_color=ff112233\n[OPTIONS]\ndisp_numer=0\n[INPUT]\n"
                      "CHECKBOX7=1\n" +
                      extra);
    }

    // Drawn photos p01.png ... in "photos", listed in the main window with both folder boxes set.
    void listPhotos(int count) {
        QDir().mkpath(Q(dir / "photos"));
        for (int i = 1; i <= count; ++i) {
            QImage photo(200, 160, QImage::Format_ARGB32);
            photo.fill(qRgb(20 * i, 90, 200));
            photo.save(Q(dir / "photos") + QStringLiteral("/p%1.png").arg(i, 2, 10, QChar('0')));
        }
        qobject_cast<QLineEdit*>(find("Edit1"))->setText(Q(dir / "photos"));
        qobject_cast<QLineEdit*>(find("Edit2"))->setText(Q(dir / "save"));
        click("SpeedButton2");
    }

    QWidget* control(const char* name) const { return find(name, sheet); }
    template <typename T> T* control(const char* name) const {
        return qobject_cast<T*>(control(name));
    }
    QString sheetText(const char* name) const { return control(name)->property("text").toString(); }
    void press(const char* name) { click(name, sheet); }
    // Pressed from the event loop, as a press during a run arrives.
    void pressLater(const char* name) { clickLater(name, sheet); }

    SheetWindow* sheet = nullptr;
    QStringList sheetMessages;
};

} // namespace quorvane::test
