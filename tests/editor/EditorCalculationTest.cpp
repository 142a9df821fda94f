// The preview after "サイズ計算": a layout beyond the memory bound of a run is told and not drawn,
// a long drawing shows a progress window whose "中止" stops it; either way the preview is
// cleared and the calculated layout text stays, and the next calculation draws again. The
// calculations' messages are in the interface's language.
#include "EditorHarness.h"

#include "ui/BitmapView.h"

#include <QProgressDialog>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::EditorHarness;

namespace {

TEST(EditorCalculation, APreviewTooLargeIsToldAndAStoppedOneIsCleared) {
    const struct {
        const char* what;
        bool japanese;
        QString script; // after the typed layout
        bool stop;      // "中止" pressed in the progress window
        QString message;
    } cases[] = {
        {"paper of 2770 mm (32717 pixels a side at 300 dpi)", true, "Edit2=2770 Edit3=2770", false,
         QString::fromUtf8("ページや写真が大きすぎて、メモリに収まりません。用紙サイズ、解像度、"
                           "写真サイズを確認してください。\n[PAPER] width=32717")},
        {"in English", false, "Edit2=2770 Edit3=2770", false,
         "The page or photos are too large to fit in memory. Please check the paper size, "
         "resolution and photo size.\n[PAPER] width=32717"},
        {"a grid of 20 x 20 stopped", true, "Edit10=400 Edit11=20 Edit12=20 Edit13=10 Edit14=7",
         true, QString()},
    };
    for (const auto& c : cases) {
        EditorHarness h(c.japanese);
        h.editor.previewProgressDelayMs = 0;
        h.run("layout " + c.script);
        auto* viewer = h.editor.findChild<BitmapView*>("ImageViewer1");
        bool stopped = false;
        if (c.stop)
            h.whileModal([&](QWidget* modal) {
                auto* progress = qobject_cast<QProgressDialog*>(modal);
                ASSERT_NE(progress, nullptr);
                EXPECT_EQ(progress->objectName(), "PreviewProgress");
                progress->cancel();
                stopped = true;
            });
        h.click("Button1");
        EXPECT_EQ(stopped, c.stop) << c.what;
        EXPECT_EQ(h.infos.join("|").toStdString(), c.message.toStdString()) << c.what;
        EXPECT_TRUE(viewer->bitmap().isNull()) << c.what;
        EXPECT_FALSE(h.editor.layoutText().empty()) << c.what;

        // The next calculation of a usual layout draws its preview again.
        h.infos.clear();
        h.editor.previewProgressDelayMs = 60'000;
        h.run("Edit2=297 Edit3=210 Edit10=4 Edit11=2 Edit12=2 Edit13=100 Edit14=70 Button1");
        EXPECT_EQ(h.infos, QStringList()) << c.what;
        EXPECT_EQ(viewer->bitmap().size(), QSize(1754, 1240)) << c.what;
    }
}

// "サイズ計算" and "計算" tell what is wrong in the interface's language, one problem a line.
TEST(EditorCalculation, MessagesInTheInterfacesLanguage) {
    const struct {
        bool japanese;
        QString script;
        QString message;
    } cases[] = {
        {true, "layout Edit10=5 Edit1=71 Button1",
         QString::fromUtf8(
             "\n写真の合計枚数と縦行数×横列数の計算が合いません。\n解像度が低すぎます。")},
        {false, "layout Edit10=5 Edit1=71 Button1",
         "\nThe total number of photos is not the photos across times the photos down.\nThe "
         "resolution is too low."},
        {false, "layout Edit8= Edit2=2..9 Button1",
         "The setting name has not been entered.\nThe paper width is missing or not a number."},
        {false, "layout Edit1=300 Edit2=2774.3 Button1",
         "\nThe paper width is too large (limit: 32767 pixels)."},
        {true, "Edit13=100 Edit14=0 Button10", QString::fromUtf8("高さが０です。")},
        {false, "Edit13=100 Edit14=0 Button10", "The photo height is 0."},
        {false, "Edit13= Edit14=. Button10",
         "\nThe photo width is missing or not a number.\nThe photo height is missing or not a "
         "number."},
    };
    for (const auto& c : cases) {
        EditorHarness h(c.japanese);
        h.run(c.script);
        EXPECT_EQ(h.infos.join("|").toStdString(), c.message.toStdString())
            << c.script.toStdString();
        EXPECT_TRUE(h.editor.layoutText().empty()) << c.script.toStdString();
    }
}

} // namespace
