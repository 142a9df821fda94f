// Not a check: makes the screenshots of screenshots.sh. Skipped unless QUORVANE_SCREENSHOT_DIR
// names the folder for the PNG files; the whole X screen is captured with ImageMagick's "import".
#include "EditorHarness.h"

#include "app/Language.h"
#include "imaging/Fonts.h"

#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

void LetEventsRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void Capture(const QString& file) {
    LetEventsRun(800); // let the window manager-less X server map and paint the windows
    EXPECT_EQ(QProcess::execute(QStringLiteral("import"),
                                {QStringLiteral("-window"), QStringLiteral("root"), file}),
              0);
    EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
}

TEST(Screenshot, EditorPreviewColourPanelAndFontChooser) {
    const QString out = qEnvironmentVariable("QUORVANE_SCREENSHOT_DIR");
    if (out.isEmpty())
        GTEST_SKIP() << "makes screenshots only when QUORVANE_SCREENSHOT_DIR is set";
    RegisterFontSubstitutions();
    const bool ja = IsJapanese(SystemLanguage());
    const QString lang = ja ? QStringLiteral("ja") : QStringLiteral("en");
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
    Capture(out + QStringLiteral("/editor-%1.png").arg(lang));

    h.click(QStringLiteral("Button7"));
    Capture(out + QStringLiteral("/editor-colour-%1.png").arg(lang));
    h.click(QStringLiteral("Button12"));

    h.whileModal([&](QWidget* chooser) {
        auto* families = chooser->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        families->setCurrentIndex(std::max(0, families->findText(QStringLiteral("IPAMincho"))));
        Capture(out + QStringLiteral("/editor-font-%1.png").arg(lang));
        chooser->close();
    });
    h.click(QStringLiteral("Button14"));
}

} // namespace
