#include "EditorHarness.h"

#include "catalogue/Wording.h"
#include "ui/InputFilter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace quorvane::test {

EditorHarness::EditorHarness(bool japanese, bool show, bool recordMessages)
    : messages(ApplicationTitle(japanese)), fonts(japanese),
      editor(japanese, QString::fromStdString(folder().string()), messages, fonts) {
    std::filesystem::create_directories(folder());
    if (recordMessages) {
        editor.showInfo = [this](const QString& text) { infos << text; };
        editor.ask = [this](const QString& text) {
            questions << text;
            if (answers.empty())
                return int(MessageDialog::kCancel);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
    editor.setSheetWindowLink({[this] { return sheetRunPending; }, [this] { ++reloads; }});
    if (show)
        editor.show();
}

EditorHarness::~EditorHarness() {
    editor.hide();
}

QWidget* EditorHarness::find(const QString& name) const {
    QWidget* widget = editor.findChild<QWidget*>(name);
    EXPECT_NE(widget, nullptr) << "no control " << name.toStdString();
    return widget;
}

QString EditorHarness::text(const QString& name) const {
    QWidget* widget = find(name);
    return widget ? widget->property("text").toString() : QString();
}

void EditorHarness::click(const QString& name) {
    QWidget* control = find(name);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->click();
    else if (control)
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->width() - 1, 0));
}

void EditorHarness::setText(const QString& name, const QString& value) {
    if (auto* edit = qobject_cast<QLineEdit*>(find(name)))
        InputFilter::SetText(edit, value);
}

void EditorHarness::setChecked(const QString& name, bool checked) {
    if (auto* box = qobject_cast<QAbstractButton*>(find(name)))
        box->setChecked(checked);
}

void EditorHarness::type(const QString& name, const QString& keys) {
    if (auto* edit = qobject_cast<QLineEdit*>(find(name))) {
        edit->clear();
        // Key by key for ASCII; other text arrives as an input method or a paste delivers it.
        bool ascii = true;
        for (QChar c : keys)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(edit, keys);
        else
            edit->insert(keys);
    }
}

void EditorHarness::typeLayout(const QString& name) {
    const std::pair<int, const char*> fields[] = {
        {2, "297"}, {3, "210"}, {4, "10"},   {5, "10"},  {6, "20"},       {7, "20"},     {10, "4"},
        {11, "2"},  {12, "2"},  {13, "100"}, {14, "70"}, {16, "1.42857"}, {22, "Title"}, {18, "6"},
    };
    type(QStringLiteral("Edit8"), name);
    for (const auto& [n, value] : fields)
        type(QStringLiteral("Edit%1").arg(n), QString::fromUtf8(value));
}

void EditorHarness::editRow(int row) {
    auto* list = editor.findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
    list->setCurrentCell(row, SettingsEditor::kNameColumn);
    click(QStringLiteral("Button3"));
}

void EditorHarness::run(const QString& script) {
    for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype eq = step.indexOf(QLatin1Char('='));
        const QString name = step.left(eq);
        const QString value = eq < 0 ? QString() : step.mid(eq + 1);
        if (step == QLatin1String("layout"))
            typeLayout(QStringLiteral("typed"));
        else if (name == QLatin1String("row"))
            editRow(value.toInt());
        else if (eq < 0)
            click(name);
        else if (auto* box = editor.findChild<QComboBox*>(name))
            box->setCurrentIndex(value.toInt());
        else if (name.startsWith(QLatin1String("Edit")))
            setText(name, value);
        else
            setChecked(name, value.toInt() != 0);
    }
}

void EditorHarness::whileModal(std::function<void(QWidget* modal)> step) {
    QTimer::singleShot(0, [step] {
        QWidget* modal = QApplication::activeModalWidget();
        EXPECT_NE(modal, nullptr) << "no modal window came up";
        if (!modal)
            return;
        step(modal);
        if (modal->isVisible()) {
            ADD_FAILURE() << modal->objectName().toStdString() << " is still open";
            modal->close();
        }
    });
}

} // namespace quorvane::test
