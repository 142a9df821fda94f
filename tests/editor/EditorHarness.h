// A real settings editor on a temporary settings folder, with its messages and answers recorded
// instead of shown, a fake sheet creation window, and helpers that drive controls by objectName.
#pragma once

#include "ui/FontChooser.h"
#include "ui/MessageDialog.h"
#include "ui/SettingsEditor.h"

#include "TestSupport.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <filesystem>
#include <functional>

namespace quorvane::test {

struct EditorHarness {
    // The editor in the language, shown (list loaded, fields reset) unless told otherwise; its
    // messages and question are recorded unless they are to reach the real message dialog.
    explicit EditorHarness(bool japanese = true, bool show = true, bool recordMessages = true);
    ~EditorHarness();

    std::filesystem::path folder() const { return dir / "initdata"; }

    QWidget* find(const QString& name) const; // fails the test when absent
    QString text(const QString& name) const;  // the control's "text" property
    void click(const QString& name);
    // Puts the text into the field as the program does (a loaded layout), unfiltered.
    void setText(const QString& name, const QString& text);
    void setChecked(const QString& name, bool checked);
    // Types the keys into the field as a person would (filters and lengths apply).
    void type(const QString& name, const QString& keys);
    // Fills in a valid layout: A4 landscape at 300 dpi, 2 × 2 photos of 100 × 70 mm.
    void typeLayout(const QString& name);
    // Selects the list row (as a click on it does) and presses "編集".
    void editRow(int row);
    // Runs the steps of a script, separated by blanks: "Button8" clicks a button (any other
    // control is clicked at its top right corner), "Edit13=90" puts a text into a field,
    // "CheckBox4=0" sets a box, "ComboBox1=3" chooses an item, "row=0" is editRow(0), and
    // "layout" is typeLayout("typed").
    void run(const QString& script);

    // Runs `step` once the next modal window is up, then makes sure it is closed.
    void whileModal(std::function<void(QWidget* modal)> step);

    TempDir dir;
    MessageDialog messages;
    FontChooser fonts;
    SettingsEditor editor;
    QStringList infos;       // every message shown
    QStringList questions;   // every question asked
    std::deque<int> answers; // the answers given, in turn (キャンセル when none is left)
    bool sheetRunPending = false;
    int reloads = 0; // layout reloads asked of the sheet creation window
};

} // namespace quorvane::test
