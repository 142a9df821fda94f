// The settings editor's list, "編集", the size calculation with its preview, and both saves:
// what they write, what they refuse, and what a failed save leaves alone.
#include "EditorHarness.h"

#include "layout/LayoutFiles.h"
#include "ui/BitmapView.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace quorvane;
using quorvane::test::EditorHarness;

namespace {

QString Message(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::vector<std::string> Controls(const layout::LayoutInput& in) {
    std::vector<std::string> values;
    for (const char* kind : {"EDIT", "CHECKBOX", "RADIOBUTTON"})
        for (int n = 1; n <= 37; ++n)
            if (auto v = in.value(kind + std::to_string(n)))
                values.push_back(std::string(kind) + std::to_string(n) + "=" + *v);
    return values;
}

QStringList Row(const EditorHarness& h, int row) {
    QStringList cells;
    for (int c = 0; c < 4; ++c)
        cells << h.editor.cellText(c, row);
    return cells;
}

// Typed in millimetres, calculated, saved as a new file, listed by the sheet window, opened again.
TEST(EditorSave, TypedLayoutCalculatedSavedListedAndOpenedAgain) {
    EditorHarness h;
    h.click("Button1");
    ASSERT_EQ(h.infos.size(), 1);
    EXPECT_TRUE(h.infos[0].startsWith(Message("サイズ名称が未入力です。\n用紙幅が未定義です。")));
    EXPECT_TRUE(h.editor.layoutText().empty());

    h.typeLayout(Message("Ａ４　４面"));
    h.setChecked("CheckBox7", true);
    h.setChecked("CheckBox13", true);
    h.setChecked("RadioButton5", true);
    h.click("Button10");
    EXPECT_EQ(h.text("Edit16"), "1.42857");
    h.click("Button1");
    ASSERT_EQ(h.infos.size(), 1) << h.infos.join('\n').toStdString();
    EXPECT_EQ(h.editor.layoutText().rfind("[PAPER]\ndpi=300\nwidth=3508\nheight=2480\n", 0), 0u);
    EXPECT_EQ(h.editor.findChild<QPlainTextEdit*>("Memo1")->toPlainText(),
              QString::fromStdString(h.editor.layoutText()));
    auto* viewer = h.editor.findChild<BitmapView*>("ImageViewer1");
    EXPECT_EQ(viewer->bitmap().size(), QSize(1754, 1240));
    EXPECT_DOUBLE_EQ(viewer->bitmapScale(),
                     0.95 * std::min(viewer->width() / 1754.0, viewer->height() / 1240.0));
    const auto typed = Controls(h.editor.input());

    h.click("Button8");
    EXPECT_EQ(h.infos.last(), Message("CustomSize0001.ini へ設定を保存しました。"));
    EXPECT_EQ(Row(h, 0), QStringList({"1", "true", Message("Ａ４　４面"), "CustomSize0001.ini"}));
    EXPECT_EQ(h.editor.settingsCount(), 1);
    EXPECT_EQ(h.reloads, 1);
    EXPECT_TRUE(h.text("Edit8").isEmpty());
    EXPECT_TRUE(h.editor.layoutText().empty());
    const auto listed = layout::LoadSheetLayouts(h.folder().string(), true).layouts;
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, "Ａ４　４面");
    EXPECT_EQ(listed[0].photo_width, 1181);

    h.editRow(0);
    EXPECT_TRUE(h.questions.isEmpty());
    EXPECT_EQ(Controls(h.editor.input()), typed);
    EXPECT_EQ(h.editor.currentFileName(), "CustomSize0001.ini");
    EXPECT_EQ(h.editor.editedRow(), 0);
    EXPECT_EQ(h.editor.findChild<QGroupBox*>("GroupBox1")->title(),
              Message("用紙設定　CustomSize0001.ini"));
    EXPECT_TRUE(
        h.editor.windowTitle().endsWith(Message("　<インデックスシート　サイズ設定> Ａ４　４面")));

    // Loading does not calculate; after a calculation the file is overwritten and its row follows.
    h.click("Button2");
    EXPECT_EQ(h.infos.last(), Message("計算が行われていません。"));
    h.type("Edit8", "A4 four");
    h.setChecked("CheckBox7", false);
    h.click("Button1");
    h.click("Button2");
    EXPECT_EQ(h.infos.last(), Message("CustomSize0001.ini へ設定を上書き保存しました。"));
    EXPECT_EQ(Row(h, 0), QStringList({"1", "false", "A4 four", "CustomSize0001.ini"}));
    EXPECT_EQ(h.editor.settingsCount(), 1);
    EXPECT_EQ(h.editor.editedRow(), -1);
    EXPECT_EQ(h.reloads, 2);
    EXPECT_TRUE(layout::LoadSheetLayouts(h.folder().string(), true).layouts.empty());
}

// After a calculated layout: the steps (see EditorHarness::run), the last message, the reloads
// asked of the sheet window, and whether the typed layout is still in the fields.
TEST(EditorSave, RefusedFailedAndRedirectedSaves) {
    struct Case {
        std::function<void(EditorHarness&)> before;
        const char* steps;
        const char* message;
        int reloads;
        bool fieldsKept;
    };
    const auto replaceLoadedFile = [](EditorHarness& h) {
        h.run("Button8 row=0 layout Button1");
        std::filesystem::remove(h.folder() / "CustomSize0001.ini");
        std::filesystem::create_directory(h.folder() / "CustomSize0001.ini");
    };
    const Case cases[] = {
        {{}, "Button2", "CustomSize0001.ini へ設定を保存しました。", 1, false},
        {{}, "Button8 layout Button8", "計算が行われていません。", 1, true},
        {{}, "Edit13=90 Button8", "計算が行われていません。", 0, true},
        {{}, "CheckBox4=0 Button2", "計算が行われていません。", 0, true},
        {{}, "RadioButton5=1 Button8", "計算が行われていません。", 0, true},
        {{}, "ComboBox1=16 Button8", "計算が行われていません。", 0, true},
        {[](EditorHarness& h) { h.sheetRunPending = true; }, "Button8",
         "インデックスシート作成中は保存出来ません。", 0, true},
        {[](EditorHarness& h) { std::filesystem::remove_all(h.folder()); }, "Button8",
         "CustomSize0001.ini への設定を保存出来ませんでした。", 0, true},
        {replaceLoadedFile, "Button2", "CustomSize0001.ini への設定を上書き保存出来ませんでした。",
         1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        EditorHarness h;
        h.run("layout Button1");
        ASSERT_TRUE(h.infos.isEmpty());
        if (c.before)
            c.before(h);
        const QStringList listBefore = Row(h, 0);
        h.run(QString::fromLatin1(c.steps));
        ASSERT_FALSE(h.infos.isEmpty());
        EXPECT_EQ(h.infos.last(), Message(c.message));
        EXPECT_EQ(h.reloads, c.reloads);
        EXPECT_EQ(!h.text("Edit8").isEmpty(), c.fieldsKept);
        EXPECT_EQ(Row(h, 0) == listBefore, c.reloads == 0 || c.before != nullptr);
        EXPECT_FALSE(h.editor.busy());
    }
}

// "編集" while a layout is loaded asks first; only "Yes" replaces the fields (the real dialog
// answering "No" is in EditorDialogsTest).
TEST(EditorSave, EditAsksBeforeDiscardingTheLoadedLayout) {
    // First row loaded, second row asked for, the answer, the name in the fields after.
    const std::tuple<int, int, int, const char*> cases[] = {{1, 0, MessageDialog::kYes, "One"},
                                                            {0, 1, MessageDialog::kCancel, "One"}};
    for (const auto& [first, second, answer, name] : cases) {
        EditorHarness h(true, false);
        test::WriteFile(h.folder() / "CustomSize0002.ini",
                        "[PAPER]\nname=One\n[INPUT]\nCHECKBOX7=1\nEDIT8=One\nEDIT2=100\n");
        test::WriteFile(h.folder() / "CustomSize0005.ini",
                        "[PAPER]\nname=Two\n[INPUT]\nCHECKBOX7=0\nEDIT8=Two\n");
        h.editor.show();
        EXPECT_EQ(Row(h, 0), QStringList({"1", "true", "One", "CustomSize0002.ini"}));
        EXPECT_EQ(Row(h, 1), QStringList({"2", "false", "Two", "CustomSize0005.ini"}));
        h.editRow(first);
        h.answers = {answer};
        h.editRow(second);
        EXPECT_EQ(h.questions, QStringList{Message("編集中ですが破棄してよろしいですか？")});
        EXPECT_EQ(h.text("Edit8"), name);
        EXPECT_EQ(h.text("Edit2"), "100");
        // Keys missing from the file take the loading defaults, not the reset values.
        EXPECT_EQ(h.text("Edit13"), "4");
    }

    // A row whose file has gone, and an empty row, load nothing and ask nothing.
    EditorHarness h(true, false);
    test::WriteFile(h.folder() / "CustomSize0001.ini", "[PAPER]\nname=One\n[INPUT]\nEDIT8=One\n");
    h.editor.show();
    std::filesystem::remove(h.folder() / "CustomSize0001.ini");
    h.editRow(0);
    h.editRow(3);
    EXPECT_TRUE(h.text("Edit8").isEmpty());
    EXPECT_EQ(h.editor.editedRow(), -1);
}

// The list keeps its 1000 rows up to 100 layouts; beyond that it has one row per layout, and a
// save-as appends one.
TEST(EditorSave, ListRowsFollowTheLayoutsBeyondAHundred) {
    // Layout files, rows after showing, rows after a save-as.
    const int cases[][3] = {{0, 1000, 1000}, {100, 1000, 1000}, {101, 101, 102}};
    for (const auto& [files, shown, saved] : cases) {
        SCOPED_TRACE(files);
        EditorHarness h(true, false);
        for (int i = 1; i <= files; ++i)
            test::WriteFile(h.folder() / layout::LayoutFileName(i), "[PAPER]\nname=L\n");
        h.editor.show();
        auto* list = h.editor.findChild<QTableWidget*>("StringGrid1");
        EXPECT_EQ(list->rowCount(), shown);
        h.run("layout Button1 Button8");
        EXPECT_EQ(list->rowCount(), saved);
        EXPECT_EQ(Row(h, files).join(' '),
                  QStringLiteral("%1 false typed %2")
                      .arg(files + 1)
                      .arg(QString::fromStdString(layout::LayoutFileName(files + 1))));
    }
}

} // namespace
