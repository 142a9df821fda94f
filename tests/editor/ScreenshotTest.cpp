// Not a check: makes the screenshots of tests/screenshots.sh. Skipped unless
// QUORVANE_SCREENSHOT_DIR names the folder for the PNG files; the whole X screen is captured with
// ImageMagick's "import".
#include "EditorHarness.h"
#include "WindowHarness.h"

#include "imaging/Fonts.h"
#include "language/Language.h"

#include <QComboBox>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

void Capture(const char* name) {
    const QString file = test::ScreenshotPath(name);
    test::LetEventsRun(800); // let the window manager-less X server map and paint the windows
    EXPECT_TRUE(test::CaptureScreen(file)) << file.toStdString();
}

TEST(Screenshot, EditorPreviewColourPanelAndFontChooser) {
    if (test::ScreenshotPath("editor").isEmpty())
        GTEST_SKIP() << "makes screenshots only when QUORVANE_SCREENSHOT_DIR is set";
    RegisterFontSubstitutions();
    const bool ja = IsJapanese(SystemLanguage());
    test::EditorHarness h(ja);
    h.editor.move(0, 0);
    h.typeLayout(ja ? QStringLiteral("Ａ４　４面") : QStringLiteral("A4 four photos"));
    h.type(QStringLiteral("Edit22"), QStringLiteral("Summer Festival 2018"));
    h.setChecked(QStringLiteral("CheckBox11"), true);
    h.setChecked(QStringLiteral("CheckBox12"), true);
    h.setChecked(QStringLiteral("CheckBox13"), true);
    h.type(QStringLiteral("Edit35"), QStringLiteral("4"));
    h.type(QStringLiteral("Edit33"), QStringLiteral("ff202060"));
    h.click(QStringLiteral("Button1"));
    EXPECT_TRUE(h.infos.isEmpty()) << h.infos.join('\n').toStdString();
    Capture("editor");

    h.click(QStringLiteral("Button7"));
    Capture("editor-colour");
    h.click(QStringLiteral("Button12"));

    h.whileModal([&](QWidget* chooser) {
        auto* families = chooser->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        families->setCurrentIndex(std::max(0, families->findText(QStringLiteral("IPAMincho"))));
        Capture("editor-font");
        chooser->close();
    });
    h.click(QStringLiteral("Button14"));
}

} // namespace
