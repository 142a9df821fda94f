// The settings editor's half-size preview: where the cells, outlines, labels and texts land.
#include "render/EditorPreview.h"

#include "imaging/Fonts.h"
#include "layout/LayoutCalc.h"

#include <QRect>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvane;
using layout::LayoutInput;

namespace {

constexpr QRgb kWhite = 0xffffffffu;
constexpr QRgb kGrey = 0xffccccccu;
constexpr QRgb kGreen = 0xff00ff00u;

// 200 x 150 mm at 254 dpi (10 px a millimetre), margins of 10 mm, 2 x 2 photos of 80 x 60 mm:
// gaps of 200 and 100 page pixels. In the preview the cells start at (50, 50), (550, 50),
// (50, 400), (550, 400), each 400 x 300, and the strip under the first row spans y 350-400.
LayoutInput BaseInput() {
    LayoutInput in;
    const std::pair<int, const char*> fields[] = {
        {1, "254"},
        {8, "p"},
        {9, "ffffffff"},
        {2, "200"},
        {3, "150"},
        {4, "10"},
        {5, "10"},
        {6, "10"},
        {7, "10"},
        {10, "4"},
        {11, "2"},
        {12, "2"},
        {13, "80"},
        {14, "60"},
        {19, "4"},
        {20, "2"},
        {21, "1"},
        {25, "ff000000"},
        {23, "ff000000"},
        {27, "ff000000"},
        {24, "ＭＳ ゴシック"},
        {30, "ＭＳ ゴシック"},
        {36, "ＭＳ ゴシック"},
        {18, "5"},
        {29, "4"},
        {26, "0.0"},
    };
    for (const auto& [n, text] : fields)
        in.setEdit(n, text);
    in.setCheck(1, true);
    in.setCheck(2, true);
    for (int n : {2, 10, 16})
        in.setRadio(n, true);
    return in;
}

// Whether any pixel of the region differs from the colour.
bool Ink(const QImage& image, const QRect& region, QRgb ground) {
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (image.pixel(x, y) != ground)
                return true;
    return false;
}

const QRect kTopMargin(4, 2, 992, 46);
const QRect kCellInside(70, 120, 360, 200); // below the number label of the first cell
const QRect kStrip(52, 352, 396, 46);

struct Case {
    const char* what;
    std::vector<std::string> controls; // "EDIT22=TITLE": changes to the base layout
    std::vector<std::pair<QPoint, QRgb>> pixels;
    std::vector<std::pair<QRect, bool>> ink; // on the background, or on grey inside the cell
};

TEST(EditorPreview, CellsLabelsAndTextsLandWhereTheLayoutPutsThem) {
    RegisterFontSubstitutions();
    const Case cases[] = {
        {"cells, outlines, border and label",
         {},
         {{{500, 20}, kWhite},
          {{0, 0}, 0xff000000u},
          {{250, 200}, kGrey},
          {{50, 200}, kGreen},
          {{449, 200}, kGreen},
          {{550, 420}, kGreen},
          {{61, 61}, kWhite},
          {{561, 411}, kWhite},
          {{438, 338}, kGrey}},
         {{kTopMargin, false}, {kStrip, false}, {kCellInside, false}}},
        {"no label without the title's font", {"EDIT24="}, {{{61, 61}, kGrey}}, {}},
        {"label at the lower right",
         {"CHECKBOX10=1", "EDIT9=ff112233"},
         {{{61, 61}, kGrey}, {{438, 338}, kWhite}, {{500, 20}, 0xff112233u}},
         {}},
        {"title on the page", {"EDIT22=TITLE"}, {}, {{kTopMargin, true}, {kCellInside, false}}},
        {"title inside every photo",
         {"EDIT22=TITLE", "CHECKBOX8=1", "RADIOBUTTON7=1"},
         {},
         {{kTopMargin, false}, {kCellInside, true}}},
        {"page number",
         {"EDIT28=P[$PAGE]", "CHECKBOX11=1"},
         {},
         {{QRect(600, 2, 396, 46), true}, {QRect(4, 2, 500, 46), false}}},
        {"file name and date under the photos",
         {"CHECKBOX12=1", "CHECKBOX13=1", "EDIT33=ff000000", "EDIT35=3"},
         {},
         {{kStrip, true}}},
        {"no file name without its colour", {"CHECKBOX12=1", "EDIT35=3"}, {}, {{kStrip, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LayoutInput in = BaseInput();
        for (const std::string& control : c.controls) {
            const size_t eq = control.find('=');
            in.setValue(control.substr(0, eq), control.substr(eq + 1));
        }
        const layout::LayoutCalcResult calc = layout::CalculateLayout(in);
        ASSERT_TRUE(calc.ok) << "stage " << calc.failedStage;
        const QImage preview = DrawEditorPreview(calc.layout, in);
        ASSERT_EQ(preview.size(), QSize(1000, 750));
        for (const auto& [at, colour] : c.pixels)
            EXPECT_EQ(preview.pixel(at), colour) << at.x() << "," << at.y();
        for (const auto& [region, expected] : c.ink) {
            const QRgb ground = region == kCellInside ? kGrey : preview.pixel(region.topLeft());
            EXPECT_EQ(Ink(preview, region, ground), expected) << region.x() << "," << region.y();
        }
    }
}

TEST(EditorPreview, NothingIsDrawnBeyondTheMemoryBoundOrAfterAStop) {
    const struct {
        const char* what;
        std::vector<std::pair<int, const char*>> edits;
        int stopAt; // the stop check says stop the n-th time it is asked (0: never)
        bool drawn;
        int asked;            // times the stop check was asked
        const char* tooLarge; // the key named for a layout beyond the memory bound
    } cases[] = {
        {"the base layout (2 x 2 cells)", {}, 0, true, 4, ""},
        {"stopped before its third cell", {}, 3, false, 3, ""},
        {"a page of 3270 mm at 254 dpi (32700 pixels a side, 4.3 GB)",
         {{2, "3270"}, {3, "3270"}},
         0,
         false,
         0,
         "width"},
    };
    for (const auto& c : cases) {
        LayoutInput in = BaseInput();
        for (const auto& [n, text] : c.edits)
            in.setEdit(n, text);
        const layout::LayoutCalcResult calc = layout::CalculateLayout(in);
        ASSERT_TRUE(calc.ok) << "stage " << calc.failedStage;
        EXPECT_EQ(EditorPreviewMemory(calc.layout).key, c.tooLarge) << c.what;
        int asked = 0;
        const QImage preview =
            DrawEditorPreview(calc.layout, in, [&](int, int) { return ++asked == c.stopAt; });
        EXPECT_EQ(!preview.isNull(), c.drawn) << c.what;
        EXPECT_EQ(asked, c.asked) << c.what;
    }
}

TEST(EditorPreview, SampleTextUnderThePhotos) {
    const std::pair<int, const char*> cases[] = {{0b000, ""},
                                                 {0b101, "DSC_005675.JPG"},
                                                 {0b011, "2018/03/12"},
                                                 {0b110, "DSC_005675.JPG 2018/03/12"},
                                                 {0b111, "DSC_005675.JPG\n2018/03/12"}};
    for (const auto& [boxes, text] : cases) {
        LayoutInput in; // bits: CheckBox12 file name, CheckBox13 date, CheckBox14 second line
        for (int bit = 0; bit < 3; ++bit)
            in.setCheck(12 + bit, boxes & (4 >> bit));
        EXPECT_EQ(PreviewUnderPhotoText(in), QString::fromLatin1(text)) << boxes;
    }
}

} // namespace
