// The editor's controls by name: each name stands for its design control, and the design names
// and [INPUT] keys lead back to the same field.
#include "layout/EditorField.h"

#include <gtest/gtest.h>

using namespace quorvane::layout;
using F = EditorField;

TEST(EditorField, NamesStandForTheirDesignControls) {
    const struct {
        EditorField field;
        const char* name;
        FieldKind kind;
    } cases[] = {
        {F::Resolution, "Edit1", FieldKind::Text},
        {F::SettingName, "Edit8", FieldKind::Text},
        {F::PhotosAcross, "Edit11", FieldKind::Text},
        {F::PhotosDown, "Edit12", FieldKind::Text},
        {F::TitleFontSize, "Edit18", FieldKind::Text},
        {F::Title, "Edit22", FieldKind::Text},
        {F::TitleColour, "Edit23", FieldKind::Text},
        {F::TitleFont, "Edit24", FieldKind::Text},
        {F::NumberColour, "Edit25", FieldKind::Text},
        {F::FileDateColour, "Edit33", FieldKind::Text},
        {F::FileDateAdjust, "Edit37", FieldKind::Text},
        {F::HorizontalFirst, "CheckBox1", FieldKind::Check},
        {F::Enabled, "CheckBox7", FieldKind::Check},
        {F::NumberLowerRight, "CheckBox10", FieldKind::Check},
        {F::ShowExif, "CheckBox15", FieldKind::Check},
        {F::TitleUpperLeft, "RadioButton1", FieldKind::Radio},
        {F::TitleCentre, "RadioButton7", FieldKind::Radio},
        {F::PageUpperLeft, "RadioButton8", FieldKind::Radio},
        {F::FileDateLeft, "RadioButton15", FieldKind::Radio},
        {F::FileDateRight, "RadioButton17", FieldKind::Radio},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DesignName(c.field), c.name);
        EXPECT_EQ(KindOf(c.field), c.kind) << c.name;
    }
    EXPECT_EQ(kEditorFieldCount, 37 + 15 + 17);
}

TEST(EditorField, DesignNamesAndKeysLeadBackToTheirField) {
    for (int i = 0; i < kEditorFieldCount; ++i) {
        const EditorField f = FieldAt(i);
        EXPECT_EQ(FieldNamed(DesignName(f)), f) << DesignName(f);
        EXPECT_EQ(FieldNamed(EchoKey(f)), f) << EchoKey(f);
        EXPECT_EQ(FieldOf(KindOf(f), DesignNumber(f)), f) << DesignName(f);
    }
    for (const char* none : {"EDIT0", "EDIT38", "EDIT01", "CHECKBOX16", "RADIOBUTTON18", "EDIT",
                             "BUTTON1", "EDIT1x", "EDIT+1", ""})
        EXPECT_EQ(FieldNamed(none), std::nullopt) << none;
    EXPECT_EQ(FieldOf(FieldKind::Check, 0), std::nullopt);
}
