// Text stamping drawn with the IPA fonts: where the number labels, titles, page numbers, titles
// inside photos and file-name texts land on a bitmap, how they shrink, clamp and align.
#include "render/TextStamp.h"

#include "imaging/Fonts.h"
#include "imaging/Raster.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

constexpr QRgb kWhite = 0xffffffffu;
constexpr QRgb kBlack = 0xff000000u;
constexpr QRgb kGrey = 0xff808080u;

QImage Filled(int w, int h, QRgb colour = kWhite) {
    QImage bitmap = CreateBitmap(w, h);
    Clear(bitmap, colour);
    return bitmap;
}

// Bounds of the pixels in rows top..bottom-1 that are not the background (or, with `match`, that
// are exactly that colour).
QRect Bounds(const QImage& image, QRgb colour, bool match, int top = 0, int bottom = -1) {
    if (bottom < 0)
        bottom = image.height();
    int l = INT_MAX, t = INT_MAX, r = -1, b = -1;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) == colour) == match) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}
QRect Ink(const QImage& image, int top = 0, int bottom = -1) {
    return Bounds(image, kWhite, false, top, bottom);
}

// The same text drawn directly into the rectangle (l, t)–(r, b) at the size, centred.
QImage Reference(int w, int h, const QString& text, double size, double l, double t, double r,
                 double b, TextAlign align = TextAlign::Centre) {
    QImage bitmap = Filled(w, h);
    Canvas canvas(bitmap);
    canvas.SetFont(QString(), size);
    canvas.DrawText(QRectF(QPointF(l, t), QPointF(r, b)), text, kBlack, align);
    return bitmap;
}

StampFont Font(int size, const QString& family = QString()) {
    return {family, kBlack, size};
}

class TextStampTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterFontSubstitutions(); }
};

// The white box of a number label drawn on grey.
QRect LabelBox(int s, bool lowerRight, int fs, int padding, int margin, int ax, int ay,
               const QString& text, QImage* out = nullptr) {
    QImage bitmap = Filled(400, 300, kGrey);
    {
        Canvas canvas(bitmap);
        EXPECT_EQ(DrawNumberText(canvas, s, lowerRight, Font(fs), padding, margin, ax, ay, text),
                  0);
    }
    if (out)
        *out = bitmap;
    return Bounds(bitmap, kWhite, true);
}

} // namespace

TEST_F(TextStampTest, NumberLabelBoxesArePaddedToFourDigits) {
    // IPAGothic digits are half an em: "7777" at 40 px is 80 wide; box 80 + 2 × 6 by 40 + 2 × 6.
    const QRect seven = LabelBox(1, false, 40, 10, 6, 100, 100, "7");
    EXPECT_EQ(seven, QRect(110, 110, 92, 52));
    for (const char* number : {"7777", "5", "12", "123", "7"})
        EXPECT_EQ(LabelBox(1, false, 40, 10, 6, 100, 100, number).width(), seven.width()) << number;
    const QRect wide = LabelBox(1, false, 40, 10, 6, 100, 100, "12345");
    EXPECT_EQ(wide, QRect(110, 110, 112, 52));
}

TEST_F(TextStampTest, NumberLabelAtTheLowerRightEndsPaddingBeforeTheCorner) {
    // Anchor (300, 200): the box's bottom-right corner is 10 left of and above it.
    const QRect box = LabelBox(1, true, 40, 10, 6, 300, 200, "3");
    EXPECT_EQ(box, QRect(QPoint(198, 138), QPoint(289, 189)));
}

TEST_F(TextStampTest, NumberLabelOnAHalfSizePreview) {
    // Font 20 px on the bitmap: "7777" is 40 wide, bw = 40 + 12 = 52, bh = 40 + 12 = 52 in page
    // pixels; p / s = 11 / 2 = 5 and (52 + 11) / 2 = 31, truncated.
    EXPECT_EQ(LabelBox(2, false, 40, 11, 6, 50, 60, "42"), QRect(QPoint(55, 65), QPoint(80, 90)));
    EXPECT_EQ(LabelBox(2, true, 40, 11, 6, 200, 150, "42"),
              QRect(QPoint(169, 119), QPoint(194, 144)));
}

TEST_F(TextStampTest, NumberLabelTextIsCentredInItsBox) {
    QImage bitmap;
    const QRect box = LabelBox(1, false, 40, 10, 6, 100, 100, "8", &bitmap);
    const QRect ink = Bounds(bitmap, kBlack, true);
    ASSERT_FALSE(ink.isNull());
    EXPECT_TRUE(box.contains(ink));
    EXPECT_NEAR(ink.center().x(), box.center().x(), 2);
    EXPECT_NEAR(ink.center().y(), box.center().y(), 4);
    // The text takes the label's colour.
    QImage red = Filled(200, 200, kGrey);
    {
        Canvas canvas(red);
        DrawNumberText(canvas, 1, false, {QString(), 0xffff0000u, 40}, 0, 6, 0, 0, "8");
    }
    EXPECT_FALSE(Bounds(red, 0xffff0000u, true).isNull());
}

TEST_F(TextStampTest, NumberLabelWithoutAFontSizeDrawsNothing) {
    for (auto [s, fs] : {std::pair{1, 0}, {1, -12}, {2, 1}, {0, 40}, {-1, 40}}) {
        QImage bitmap = Filled(100, 100, kGrey);
        {
            Canvas canvas(bitmap);
            EXPECT_EQ(DrawNumberText(canvas, s, false, Font(fs), 5, 5, 10, 10, "1"), 0);
        }
        EXPECT_TRUE(Bounds(bitmap, kGrey, false).isNull()) << "s " << s << " fs " << fs;
    }
}

TEST_F(TextStampTest, TitlesLandAtTheirPositions) {
    // Page 800 x 600, margins left 40, right 60, top 100, bottom 80, font 40. "Title 7" is seven
    // half-width characters, 140 wide.
    const QString text = QStringLiteral("Title 7");
    const StampMargins margins{40, 60, 100, 80};
    struct Case {
        int position;
        int x, y;
    };
    const Case cases[] = {{0, 40, 40},   {1, 330, 40},  {2, 600, 40},  {3, 40, 533},
                          {4, 330, 533}, {5, 600, 533}, {6, 330, 280}, {42, 330, 40}};
    for (const Case& c : cases) {
        QImage page = Filled(800, 600);
        {
            Canvas canvas(page);
            ASSERT_EQ(DrawTitleText(canvas, 1, c.position, margins, Font(40), 800, 600, text, 0),
                      0);
        }
        const QImage expected = Reference(800, 600, text, 40, c.x, c.y, c.x + 140, c.y + 40);
        EXPECT_EQ(Ink(page), Ink(expected)) << "position " << c.position;
        // Whatever the font's bearings, the ink stays near its box.
        const QRect ink = Ink(page);
        EXPECT_GE(ink.left(), c.x - 2);
        EXPECT_LE(ink.right(), c.x + 142);
        EXPECT_NEAR(ink.center().y(), c.y + 20, 8);
    }
}

TEST_F(TextStampTest, TitleOnTheHalfSizePreview) {
    // The same page drawn at half size: font 20, rectangle (165, 20)–(235, 40).
    QImage preview = Filled(400, 300);
    {
        Canvas canvas(preview);
        DrawTitleText(canvas, 2, 1, {40, 60, 100, 80}, Font(40), 800, 600, "Title 7", 0);
        EXPECT_DOUBLE_EQ(canvas.fontPixelSize(), 20); // the font stays set
    }
    EXPECT_EQ(preview, Reference(400, 300, "Title 7", 20, 165, 20, 235, 40));
}

TEST_F(TextStampTest, ATitleAsWideAsThePageShrinksBetweenTheMargins) {
    // 30 characters at 40 px = 600 ≥ W 500: fs = 40 × (500 − 50 − 50) / 600 = 26, tw = 390.
    const QString text(30, QLatin1Char('A'));
    QImage page = Filled(500, 400);
    {
        Canvas canvas(page);
        ASSERT_EQ(DrawTitleText(canvas, 1, 1, {50, 50, 100, 50}, Font(40), 500, 400, text, 0), 0);
    }
    // x = (500 − 390) / 2 = 55, y = 2 × (100 − 26) / 3 = 49.
    EXPECT_EQ(page, Reference(500, 400, text, 26, 55, 49, 445, 75));
    const QRect ink = Ink(page);
    EXPECT_GE(ink.left(), 50);
    EXPECT_LE(ink.right(), 450);

    // 30 characters at 30 px = 450 < W: not shrunk although wider than W − L − R; "右上" starts
    // at 500 − 450 − 30 = 20, left of the left margin.
    QImage narrow = Filled(500, 400);
    {
        Canvas canvas(narrow);
        DrawTitleText(canvas, 1, 2, {80, 30, 100, 50}, Font(30), 500, 400, text, 0);
    }
    EXPECT_EQ(narrow, Reference(500, 400, text, 30, 20, 46, 470, 76));
}

TEST_F(TextStampTest, TitlesAreClampedIntoThePage) {
    const QString text = QStringLiteral("77");
    struct Case {
        int position, top, bottom, vadj;
        int y;
    };
    const Case cases[] = {
        {0, 10, 80, 0, 0},       // top margin smaller than the font
        {1, 100, 80, -500, 0},   // dragged above the page
        {4, 100, 80, 5000, 560}, // dragged below: H − fs
        {6, 100, 80, 0, 280},    // centred font box
    };
    for (const Case& c : cases) {
        QImage page = Filled(800, 600);
        {
            Canvas canvas(page);
            DrawTitleText(canvas, 1, c.position, {0, 0, c.top, c.bottom}, Font(40), 800, 600, text,
                          c.vadj);
        }
        const int x = c.position == 0 ? 0 : 380;
        EXPECT_EQ(page, Reference(800, 600, text, 40, x, c.y, x + 40, c.y + 40))
            << "position " << c.position;
    }
}

TEST_F(TextStampTest, NothingToDrawReturnsMinusOne) {
    struct Case {
        QString text;
        int s, fs, width;
    };
    const Case cases[] = {
        {QString(), 1, 40, 800},            // empty title
        {QStringLiteral("A"), 1, 0, 800},   // no font size
        {QStringLiteral("A"), 2, 1, 800},   // 1 / 2 = 0 on the preview
        {QStringLiteral("A"), 0, 40, 800},  // no scale
        {QStringLiteral("AAAA"), 1, 40, 0}, // no page: shrunk to nothing
        {QStringLiteral("AAAA"), 1, 40, 5}, // 40 × (5 − 10) / 80 < 0
    };
    for (const Case& c : cases) {
        QImage page = Filled(100, 100);
        {
            Canvas canvas(page);
            EXPECT_EQ(
                DrawTitleText(canvas, c.s, 1, {5, 5, 5, 5}, Font(c.fs), c.width, 100, c.text, 0),
                -1)
                << c.text.toStdString() << " s " << c.s << " fs " << c.fs << " W " << c.width;
            EXPECT_EQ(DrawFileNameDate(canvas, StampTarget::OutputPage, c.s, 1, {5, 5, 5, 5},
                                       Font(c.fs), {0, 0, c.width, 50}, c.text, 0),
                      -1);
        }
        EXPECT_TRUE(Ink(page).isNull());
    }
}

TEST_F(TextStampTest, PageNumbersReplaceThePlaceholderInAnyCase) {
    EXPECT_EQ(ReplacePagePlaceholder("Page [$page] of [$PAGE]", "12"), "Page 12 of 12");
    EXPECT_EQ(ReplacePagePlaceholder("[$Page]", "1234"), "1234");
    EXPECT_EQ(ReplacePagePlaceholder("No number", "3"), "No number");
    EXPECT_EQ(ReplacePagePlaceholder("[$PAGE][$page]", "3"), "33");
    EXPECT_EQ(ReplacePagePlaceholder("[PAGE] $PAGE", "3"), "[PAGE] $PAGE");

    QImage withNumber = Filled(800, 600);
    QImage direct = Filled(800, 600);
    {
        Canvas a(withNumber);
        Canvas b(direct);
        EXPECT_EQ(DrawPageNumberText(a, 1, 5, {40, 60, 100, 80}, Font(30), 800, 600, "- [$Page] -",
                                     "7", 0),
                  0);
        DrawTitleText(b, 1, 5, {40, 60, 100, 80}, Font(30), 800, 600, "- 7 -", 0);
    }
    EXPECT_EQ(withNumber, direct);
    EXPECT_FALSE(Ink(withNumber).isNull());
}

TEST_F(TextStampTest, TitleInsidePhotoOnOutputPagesUsesItsOwnTable) {
    // The scaled photo 400 x 300 is the cell; "ABCD" at 30 px is 60 wide.
    struct Case {
        int position, vadj, x, y;
    };
    const Case cases[] = {{0, 30, 0, 30},     {2, 0, 340, 0},   {3, 0, 0, 270},
                          {5, -10, 340, 260}, {6, 0, 170, 135}, {8, 5, 170, 5}};
    for (const Case& c : cases) {
        QImage photo = Filled(400, 300);
        {
            Canvas canvas(photo);
            EXPECT_EQ(DrawTitleTextInPhoto(canvas, StampTarget::OutputPage, 1, c.position,
                                           {50, 50, 50, 50}, Font(30), {0, 0, 400, 300}, "ABCD",
                                           c.vadj),
                      0);
        }
        EXPECT_EQ(photo, Reference(400, 300, "ABCD", 30, c.x, c.y, c.x + 60, c.y + 30))
            << "position " << c.position;
    }
}

TEST_F(TextStampTest, TitleInsidePhotoOnThePreviewUsesThePageTable) {
    // Cell at (100, 60), 400 x 300 page pixels, on a half-size preview. With zero margins a top
    // title sits at max(0, vadj − 2 × fs / 3): 30 − 20 = 10, a bottom one at
    // min(H − fs, H − fs / 3 + vadj): 270.
    struct Case {
        int position, vadj, y;
    };
    for (const Case& c : {Case{1, 30, 10}, Case{1, 0, 0}, Case{4, 0, 270}, Case{4, -30, 260}}) {
        QImage preview = Filled(300, 200);
        {
            Canvas canvas(preview);
            DrawTitleTextInPhoto(canvas, StampTarget::EditorPreview, 2, c.position, {}, Font(30),
                                 {100, 60, 400, 300}, "ABCD", c.vadj);
        }
        // x = (400 − 60) / 2 = 170; rectangle ((100 + 170) / 2, (60 + y) / 2, …), font 15.
        const int top = (60 + c.y) / 2;
        EXPECT_EQ(preview, Reference(300, 200, "ABCD", 15, 135, top, 165, (60 + c.y + 30) / 2))
            << "position " << c.position << " vadj " << c.vadj;
    }
}

TEST_F(TextStampTest, FileNameAndDateLinesAlignByThemselvesOnOutputPages) {
    // "DSC_005675.JPG" is 14 half-width characters (210 at 30 px), "2018/03/12" 10 (150).
    const QString text = QStringLiteral("DSC_005675.JPG\n2018/03/12");
    const int areaX = 50, areaY = 100, areaW = 400, areaH = 120;
    for (int align : {0, 1, 2}) {
        QImage page = Filled(500, 300);
        {
            Canvas canvas(page);
            ASSERT_EQ(DrawFileNameDate(canvas, StampTarget::OutputPage, 1, align, {}, Font(30),
                                       {areaX, areaY, areaW, areaH}, text, 6),
                      0);
        }
        const QRect all = Ink(page);
        ASSERT_FALSE(all.isNull());
        const int middle = areaY + 6 + 32; // between the two lines
        const QRect first = Ink(page, 0, middle);
        const QRect second = Ink(page, middle, 300);
        const int x = areaX + (align == 0 ? 0 : align == 1 ? 95 : 190);
        EXPECT_GE(all.top(), areaY + 6 - 1);
        EXPECT_GE(first.left(), x - 1);
        EXPECT_LE(first.right(), x + 211);
        EXPECT_GT(first.width(), 190);
        switch (align) {
        case 0: // both lines hug the left side
            EXPECT_NEAR(second.left(), first.left(), 3);
            break;
        case 1:
            EXPECT_NEAR(second.center().x(), first.center().x(), 3);
            break;
        case 2: // both lines hug the right side
            EXPECT_NEAR(second.right(), first.right(), 3);
            break;
        }
    }
}

TEST_F(TextStampTest, FileNameAndDateLinesAreCentredOnThePreview) {
    const QString text = QStringLiteral("DSC_005675.JPG\n2018/03/12");
    QImage preview = Filled(300, 200);
    {
        Canvas canvas(preview);
        ASSERT_EQ(DrawFileNameDate(canvas, StampTarget::EditorPreview, 2, 0, {}, Font(30),
                                   {100, 200, 400, 120}, text, 0),
                  0);
    }
    // Left alignment: x = 0, so the rectangle starts at 100 / 2; the date line is centred.
    const QRect first = Ink(preview, 0, 100 + 16);
    const QRect second = Ink(preview, 100 + 16, 200);
    EXPECT_NEAR(first.left(), 50, 2);
    EXPECT_NEAR(second.center().x(), first.center().x(), 2);
    EXPECT_GT(second.left(), first.left() + 10);
}

TEST_F(TextStampTest, FileNameAndDateAreHeldInsideOnlyByTheFontSizeOnThePreview) {
    // Two lines of font 30 (about 64 high) in a strip 40 high: y = min(vadj, 40 − 30) = 10, so
    // the second line hangs below the strip.
    QImage preview = Filled(400, 300);
    {
        Canvas canvas(preview);
        DrawFileNameDate(canvas, StampTarget::EditorPreview, 1, 1, {}, Font(30), {0, 100, 400, 40},
                         "DSC_005675.JPG\n2018/03/12", 100);
    }
    const QRect ink = Ink(preview);
    EXPECT_GE(ink.top(), 108);
    EXPECT_GT(ink.bottom(), 150);
}

TEST_F(TextStampTest, FileNameAndDateShrinkByHeightOnOutputPages) {
    QString text;
    for (int i = 0; i < 10; ++i)
        text += QStringLiteral("ExposureTime %1\n").arg(i);
    text += QStringLiteral("2018/03/12");
    // Eleven lines of font 30 are about 350 high; the strip is 100.
    QImage page = Filled(500, 400);
    {
        Canvas canvas(page);
        ASSERT_EQ(DrawFileNameDate(canvas, StampTarget::OutputPage, 1, 0, {}, Font(30),
                                   {20, 100, 400, 100}, text, 0),
                  0);
        EXPECT_LT(canvas.fontPixelSize(), 10);
        EXPECT_GT(canvas.fontPixelSize(), 7);
    }
    const QRect ink = Ink(page);
    EXPECT_GE(ink.top(), 100);
    EXPECT_LE(ink.bottom(), 201);
    EXPECT_GT(ink.height(), 80);
}

TEST_F(TextStampTest, FileNameWiderThanItsStripFitsAtAFractionalSize) {
    // 12 characters at 40 px = 240 ≥ 202: fs = 40 × 202 / 240 = 33.67 on output pages. A font
    // rounded up to 34 would be 204 wide and spill out of the strip.
    const QString text = QStringLiteral("IMG_0001.JPG");
    QImage page = Filled(400, 200);
    {
        Canvas canvas(page);
        ASSERT_EQ(DrawFileNameDate(canvas, StampTarget::OutputPage, 1, 0, {}, Font(40),
                                   {100, 50, 202, 100}, text, 0),
                  0);
        EXPECT_NEAR(canvas.fontPixelSize(), 33.667, 0.01);
    }
    const QRect ink = Ink(page);
    EXPECT_GE(ink.left(), 100);
    EXPECT_LE(ink.right(), 302);
    EXPECT_GT(ink.width(), 185);
    // The preview shrinks in whole pixels: 40 × 202 / 240 = 33, drawn at 33 / 1.
    QImage preview = Filled(400, 200);
    {
        Canvas canvas(preview);
        DrawFileNameDate(canvas, StampTarget::EditorPreview, 1, 0, {}, Font(40),
                         {100, 50, 202, 100}, text, 0);
        EXPECT_DOUBLE_EQ(canvas.fontPixelSize(), 33);
    }
}

TEST_F(TextStampTest, AbsurdSizesNeitherCrashNorOverflow) {
    QImage page = Filled(200, 100);
    Canvas canvas(page);
    const int big = std::numeric_limits<int>::max();
    EXPECT_EQ(DrawTitleText(canvas, 1, 4, {big, big, big, big}, Font(40), 200, 100, "AB", big), 0);
    EXPECT_LE(DrawTitleText(canvas, 1, 1, {}, Font(1000000), 200, 100, "AB", 0), 0);
    EXPECT_LE(DrawTitleText(canvas, 1, 1, {-big, -big, 0, 0}, Font(big), big, big, "AB", -big), 0);
    EXPECT_LE(DrawFileNameDate(canvas, StampTarget::OutputPage, 1, 1, {0, 0, -big, -big}, Font(big),
                               {big, big, big, big}, "AB\nCD", big),
              0);
    EXPECT_EQ(DrawNumberText(canvas, 1, true, Font(big), big, big, big, big, "1"), 0);
}
