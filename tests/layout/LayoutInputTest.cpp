// The editor's control state: the "編集" defaults, radio groups and access by control name.
#include "layout/LayoutInput.h"
#include "text/IniDocument.h"

#include <gtest/gtest.h>

using namespace quorvane::layout;
using quorvane::text::IniDocument;

TEST(LayoutInput, MissingKeysTakeTheEditorDefaults) {
    LayoutInput in = ReadLayoutInput(IniDocument::Parse("[INPUT]\n"));
    const std::pair<int, const char*> texts[] = {{1, "300"},       {2, ""},
                                                 {8, ""},          {9, "ffffffff"},
                                                 {13, "4"},        {14, ""},
                                                 {15, "5"},        {16, ""},
                                                 {17, ""},         {18, "5"},
                                                 {19, "4"},        {20, "3"},
                                                 {21, "1"},        {22, ""},
                                                 {23, "ff000000"}, {24, "ＭＳ ゴシック"},
                                                 {25, "ff000000"}, {26, "0.0"},
                                                 {27, "ff000000"}, {28, "ページ[$PAGE]"},
                                                 {29, "4"},        {30, "ＭＳ ゴシック"},
                                                 {31, "0.0"},      {32, "1"},
                                                 {33, ""},         {36, ""},
                                                 {37, ""}};
    for (const auto& [n, text] : texts)
        EXPECT_EQ(in.edit(n), text) << "EDIT" << n;
    for (int n = 1; n <= LayoutInput::kCheckCount; ++n)
        EXPECT_EQ(in.check(n), n <= 3) << "CHECKBOX" << n;
    for (int n = 1; n <= LayoutInput::kRadioCount; ++n)
        EXPECT_EQ(in.radio(n), n == 2 || n == 10) << "RADIOBUTTON" << n;
}

TEST(LayoutInput, ReadsPresentKeysAndKeepsDefaultsForUnusableBoxes) {
    LayoutInput in = ReadLayoutInput(IniDocument::Parse("[input]\n"
                                                        "edit1 = 72\n"
                                                        "EDIT13=\n"
                                                        "CHECKBOX1=0\n"
                                                        "CHECKBOX2=yes\n"
                                                        "CHECKBOX7=2\n"
                                                        "RADIOBUTTON2=0\n"
                                                        "RADIOBUTTON5=1\n"));
    EXPECT_EQ(in.edit(1), "72");
    EXPECT_EQ(in.edit(13), ""); // present but empty: empty, not the default
    EXPECT_FALSE(in.check(1));
    EXPECT_TRUE(in.check(2)); // not an integer: the default
    EXPECT_TRUE(in.check(7));
    EXPECT_EQ(in.checkedIndex(LayoutInput::kTitlePosition, 1), 4);
}

TEST(LayoutInput, CheckingARadioButtonUnchecksItsGroupOnly) {
    LayoutInput in;
    in.setRadio(2, true);
    in.setRadio(9, true);
    in.setRadio(16, true);
    in.setRadio(6, true);
    EXPECT_FALSE(in.radio(2));
    EXPECT_TRUE(in.radio(6));
    EXPECT_TRUE(in.radio(9));
    EXPECT_TRUE(in.radio(16));
    in.setRadio(6, false);
    EXPECT_EQ(in.checkedIndex(LayoutInput::kTitlePosition, 1), 1); // none checked: the fallback
    EXPECT_EQ(in.checkedIndex(LayoutInput::kPagePosition, 2), 1);
    EXPECT_EQ(in.checkedIndex(LayoutInput::kFileNameAlign, 1), 1);

    // A later key of the file wins inside a group, as it does in the editor's buttons.
    LayoutInput read = ReadLayoutInput(IniDocument::Parse("[INPUT]\nRADIOBUTTON8=1\n"));
    EXPECT_FALSE(read.radio(8)); // RADIOBUTTON10 is missing, so its default checks it afterwards
    EXPECT_TRUE(read.radio(10));
}

TEST(LayoutInput, ControlsByName) {
    LayoutInput in;
    EXPECT_TRUE(in.setValue("Edit37", "x"));
    EXPECT_TRUE(in.setValue("CHECKBOX15", "1"));
    EXPECT_TRUE(in.setValue("radiobutton17", "1"));
    EXPECT_EQ(in.value("EDIT37"), "x");
    EXPECT_EQ(in.value("CheckBox15"), "1");
    EXPECT_EQ(in.value("CHECKBOX14"), "0");
    EXPECT_EQ(in.value("RADIOBUTTON17"), "1");
    for (const char* bad : {"EDIT0", "EDIT38", "EDIT01", "CHECKBOX16", "RADIOBUTTON18", "EDIT",
                            "BUTTON1", "EDIT1x", ""}) {
        EXPECT_FALSE(in.value(bad)) << bad;
        EXPECT_FALSE(in.setValue(bad, "1")) << bad;
    }
    EXPECT_FALSE(in.setValue("CHECKBOX1", "on"));
    EXPECT_EQ(in.edit(0), "");
    EXPECT_EQ(in.edit(38), "");
    EXPECT_FALSE(in.check(99));
}

TEST(LayoutInput, TextsAreCutToTheirFieldsLengths) {
    const std::string name70(70, 'N');
    const struct {
        int edit;
        std::string text;
        std::string kept;
    } cases[] = {
        {1, "030012", "0300"},
        {9, "ffffffff00", "ffffffff"},
        {33, "ff0000", "ff0000"},
        {8, name70, name70.substr(0, 60)},
        {8, std::string(59, 'a') + "写真", std::string(59, 'a') + "写"},
        {22, std::string(63, 't') + "😀", std::string(63, 't')}, // a pair does not fit in one
        {34, std::string(300, 'p'), std::string(300, 'p')},     // no limit
    };
    for (const auto& c : cases) {
        const LayoutInput in = ReadLayoutInput(
            IniDocument::Parse("[INPUT]\nEDIT" + std::to_string(c.edit) + "=" + c.text + "\n"));
        EXPECT_EQ(in.edit(c.edit), c.kept) << "EDIT" << c.edit;
    }
}
