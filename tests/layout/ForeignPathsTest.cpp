// Background images named by Windows paths in layouts written on Windows.
#include "layout/ForeignPaths.h"
#include "catalogue/NoticeText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quorvane::layout;

TEST(ForeignPaths, WindowsPathsThatDoNotExistHereAreNamedWithTheirLayout) {
    quorvane::test::TempDir dir;
    quorvane::test::WriteFile(dir / "bg.jpg", "x");
    const struct {
        std::string path;
        bool windows;
        bool notice;
    } cases[] = {
        {"C:\\photos\\bg.jpg", true, true},
        {"d:/photos/bg.jpg", true, true},
        {"\\\\shop\\share\\bg.jpg", true, true},
        {(dir / "bg.jpg").string(), false, false},
        {"photos\\bg.jpg", false, false},
        {"C:", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsWindowsPath(c.path), c.windows) << c.path;
        SheetLayout layout = DefaultSheetLayout(false);
        layout.name = "A4 four";
        layout.ini_file_name = "CustomSize0003.ini";
        layout.background_image = c.path;
        const auto notice = ForeignBackgroundNotice(layout);
        EXPECT_EQ(notice.has_value(), c.notice) << c.path;
        if (c.notice) {
            EXPECT_EQ(quorvane::NoticeText(*notice, false).toStdString(),
                      "The layout CustomSize0003.ini (A4 four) names its background image by a "
                      "Windows path, which does not exist here. Edit the layout and choose the "
                      "image again: " +
                          c.path);
        }
    }
}
