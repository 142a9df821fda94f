// Text stamping drawn with the IPA fonts: where number labels, titles, page numbers, titles
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

// Bounds of the pixels in rows top..bottom-1 that are (match) or are not (!match) the colour.
QRect Bounds(const QImage& image, QRgb colour, bool match, int top = 0, int bottom = INT_MAX) {
    QRect found;
    for (int y = top; y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) == colour) == match)
                found |= QRect(x, y, 1, 1);
    return found;
}
QRect Ink(const QImage& image, int top = 0, int bottom = INT_MAX) {
    return Bounds(image, kWhite, false, top, bottom);
}

// The text drawn straight into the rectangle (l, t)–(r, b) at the size, centred.
QImage Reference(int w, int h, const QString& text, double size, int l, int t, int r, int b) {
    QImage bitmap = Filled(w, h);
    Canvas canvas(bitmap);
    canvas.SetFont(QString(), size);
    canvas.DrawText(QRectF(QPointF(l, t), QPointF(r, b)), text, kBlack, TextAlign::Centre);
    return bitmap;
}

StampFont Font(int size) {
    return {QString(), kBlack, size};
}

// The white box of a number label drawn on grey.
QRect LabelBox(int s, bool lowerRight, int fs, int padding, int ax, int ay, const QString& text) {
    QImage bitmap = Filled(400, 300, kGrey);
    {
        Canvas canvas(bitmap);
        EXPECT_EQ(DrawNumberText(canvas, s, lowerRight, Font(fs), padding, 6, ax, ay, text), 0);
    }
    return Bounds(bitmap, kWhite, true);
}

class TextStampTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterFontSubstitutions(); }
};

} // namespace

TEST_F(TextStampTest, NumberLabelBoxes) {
    // IPAGothic digits are half an em: "7777" at 40 px is 80 wide; box 80 + 2 × 6 by 40 + 2 × 6.
    for (const char* number : {"7", "7777", "5", "12", "123"})
        EXPECT_EQ(LabelBox(1, false, 40, 10, 100, 100, number), QRect(110, 110, 92, 52)) << number;
    EXPECT_EQ(LabelBox(1, false, 40, 10, 100, 100, "12345"), QRect(110, 110, 112, 52));
    // Lower right: the box ends p / s left of and above the anchor.
    EXPECT_EQ(LabelBox(1, true, 40, 10, 300, 200, "3"), QRect(QPoint(198, 138), QPoint(289, 189)));
    // Half size: font 20, "7777" 40 wide, bw = bh = 52 page pixels, 11 / 2 = 5, 63 / 2 = 31.
    EXPECT_EQ(LabelBox(2, false, 40, 11, 50, 60, "42"), QRect(QPoint(55, 65), QPoint(80, 90)));
    EXPECT_EQ(LabelBox(2, true, 40, 11, 200, 150, "42"), QRect(QPoint(169, 119), QPoint(194, 144)));
    // No font size, or none left on the preview, or no scale: nothing at all.
    for (auto [s, fs] : {std::pair{1, 0}, {2, 1}, {0, 40}})
        EXPECT_TRUE(LabelBox(s, false, fs, 5, 10, 10, "1").isNull()) << s << " " << fs;
}

TEST_F(TextStampTest, NumberLabelTextIsCentredInItsColour) {
    QImage bitmap = Filled(300, 300, kGrey);
    {
        Canvas canvas(bitmap);
        DrawNumberText(canvas, 1, false, {QString(), 0xffff0000u, 40}, 10, 6, 100, 100, "8");
    }
    const QRect box(110, 110, 92, 52);
    const QRect ink = Bounds(bitmap, 0xffff0000u, true);
    EXPECT_TRUE(box.contains(ink));
    EXPECT_NEAR(ink.center().x(), box.center().x(), 2);
    EXPECT_NEAR(ink.center().y(), box.center().y(), 4);
}

TEST_F(TextStampTest, TitlesLandAtTheirPositions) {
    // Page 800 x 600, margins 40 60 100 80, font 40; "Title 7" is 140 wide.
    struct Case {
        int s, position, x, y;
    };
    const Case cases[] = {{1, 0, 40, 40},   {1, 1, 330, 40},  {1, 2, 600, 40},  {1, 3, 40, 533},
                          {1, 4, 330, 533}, {1, 5, 600, 533}, {1, 6, 330, 280}, {1, 42, 330, 40},
                          {2, 1, 330, 40},  {2, 5, 600, 533}};
    for (const Case& c : cases) {
        QImage page = Filled(800 / c.s, 600 / c.s);
        {
            Canvas canvas(page);
            ASSERT_EQ(DrawTitleText(canvas, c.s, c.position, {40, 60, 100, 80}, Font(40), 800, 600,
                                    "Title 7", 0),
                      0);
        }
        EXPECT_EQ(page, Reference(800 / c.s, 600 / c.s, "Title 7", 40 / c.s, c.x / c.s, c.y / c.s,
                                  (c.x + 140) / c.s, (c.y + 40) / c.s))
            << "s " << c.s << " position " << c.position;
        // Whatever the font's bearings, the ink stays in its box.
        const QRect ink = Ink(page);
        EXPECT_GE(ink.left(), c.x / c.s - 2);
        EXPECT_LE(ink.right(), (c.x + 140) / c.s + 2);
        EXPECT_NEAR(ink.center().y(), (c.y + 20) / c.s, 8 / c.s);
    }
}

TEST_F(TextStampTest, TitlesShrinkOnlyWhenAsWideAsThePage) {
    const QString text(30, QLatin1Char('A'));
    // 600 ≥ W 500: fs = 40 × (500 − 50 − 50) / 600 = 26, tw = 390, x = 55, y = 2 × 74 / 3 = 49.
    QImage page = Filled(500, 400);
    {
        Canvas canvas(page);
        ASSERT_EQ(DrawTitleText(canvas, 1, 1, {50, 50, 100, 50}, Font(40), 500, 400, text, 0), 0);
    }
    EXPECT_EQ(page, Reference(500, 400, text, 26, 55, 49, 445, 75));
    // 450 < W but wider than W − L − R: not shrunk; "右上" starts at 500 − 450 − 30 = 20 < L.
    QImage narrow = Filled(500, 400);
    {
        Canvas canvas(narrow);
        DrawTitleText(canvas, 1, 2, {80, 30, 100, 50}, Font(30), 500, 400, text, 0);
    }
    EXPECT_EQ(narrow, Reference(500, 400, text, 30, 20, 46, 470, 76));
}

TEST_F(TextStampTest, NothingToDrawReturnsMinusOne) {
    struct Case {
        QString text;
        int s, fs, width;
    };
    const Case cases[] = {{"", 1, 40, 800},  {"A", 1, 0, 800},   {"A", 2, 1, 800},
                          {"A", 0, 40, 800}, {"AAAA", 1, 40, 0}, {"AAAA", 1, 40, 5}};
    for (const Case& c : cases) {
        QImage page = Filled(100, 100);
        {
            Canvas canvas(page);
            const StampMargins m{5, 5, 5, 5};
            EXPECT_EQ(DrawTitleText(canvas, c.s, 1, m, Font(c.fs), c.width, 100, c.text, 0), -1);
            EXPECT_EQ(DrawFileNameDate(canvas, StampTarget::OutputPage, c.s, 1, m, Font(c.fs),
                                       {0, 0, c.width, 50}, c.text, 0),
                      -1);
        }
        EXPECT_TRUE(Ink(page).isNull()) << c.text.toStdString() << " " << c.s << " " << c.fs;
    }
}

TEST_F(TextStampTest, PageNumbersReplaceThePlaceholderInAnyCase) {
    EXPECT_EQ(ReplacePagePlaceholder("Page [$page] of [$PAGE]", "12"), "Page 12 of 12");
    EXPECT_EQ(ReplacePagePlaceholder("[PAGE] $PAGE", "3"), "[PAGE] $PAGE");
    QImage numbered = Filled(800, 600), direct = Filled(800, 600);
    {
        Canvas a(numbered), b(direct);
        EXPECT_EQ(DrawPageNumberText(a, 1, 5, {40, 60, 100, 80}, Font(30), 800, 600, "- [$Page] -",
                                     "7", 0),
                  0);
        DrawTitleText(b, 1, 5, {40, 60, 100, 80}, Font(30), 800, 600, "- 7 -", 0);
    }
    EXPECT_EQ(numbered, direct);
}

TEST_F(TextStampTest, TitleInsidePhotos) {
    // Output pages: the scaled photo (400 x 300) is the cell, its own table, margins ignored.
    // "ABCD" at 30 px is 60 wide.
    struct Case {
        int position, vadj, x, y;
    };
    for (const Case& c : {Case{0, 30, 0, 30}, Case{2, 0, 340, 0}, Case{5, -10, 340, 260},
                          Case{6, 0, 170, 135}, Case{8, 5, 170, 5}}) {
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
    // The preview uses the page table with zero margins, in a cell at (100, 60): a top title at
    // max(0, vadj − 2 × fs / 3), a bottom one at min(H − fs, H − fs / 3 + vadj).
    for (const Case& c : {Case{1, 30, 170, 10}, Case{1, 0, 170, 0}, Case{4, -30, 170, 260}}) {
        QImage preview = Filled(300, 200);
        {
            Canvas canvas(preview);
            DrawTitleTextInPhoto(canvas, StampTarget::EditorPreview, 2, c.position, {}, Font(30),
                                 {100, 60, 400, 300}, "ABCD", c.vadj);
        }
        EXPECT_EQ(preview,
                  Reference(300, 200, "ABCD", 15, 135, (60 + c.y) / 2, 165, (90 + c.y) / 2))
            << "position " << c.position << " vadj " << c.vadj;
    }
}

TEST_F(TextStampTest, FileNameAndDateLinesAlignByThemselves) {
    // "DSC_005675.JPG" is 210 wide at 30 px, "2018/03/12" 150. Strip at (50, 100), 400 wide.
    const QString text = QStringLiteral("DSC_005675.JPG\n2018/03/12");
    for (int align : {0, 1, 2}) {
        QImage page = Filled(500, 300);
        {
            Canvas canvas(page);
            ASSERT_EQ(DrawFileNameDate(canvas, StampTarget::OutputPage, 1, align, {}, Font(30),
                                       {50, 100, 400, 120}, text, 6),
                      0);
        }
        const int x = 50 + (align == 0 ? 0 : align == 1 ? 95 : 190);
        const QRect first = Ink(page, 0, 138), second = Ink(page, 138);
        EXPECT_GE(first.top(), 105);
        EXPECT_GE(first.left(), x - 1);
        EXPECT_LE(first.right(), x + 211);
        EXPECT_GT(first.width(), 190);
        if (align == 0) // the shorter line hugs the chosen side
            EXPECT_NEAR(second.left(), first.left(), 3);
        else if (align == 1)
            EXPECT_NEAR(second.center().x(), first.center().x(), 3);
        else
            EXPECT_NEAR(second.right(), first.right(), 3);
    }
    // The preview centres every line whatever the code; x = 0 puts the rectangle at 100 / 2.
    QImage preview = Filled(300, 200);
    {
        Canvas canvas(preview);
        DrawFileNameDate(canvas, StampTarget::EditorPreview, 2, 0, {}, Font(30),
                         {100, 200, 400, 120}, text, 0);
    }
    const QRect first = Ink(preview, 0, 116), second = Ink(preview, 116);
    EXPECT_NEAR(first.left(), 50, 2);
    EXPECT_NEAR(second.center().x(), first.center().x(), 2);
}

TEST_F(TextStampTest, FileNameAndDateShrinkByHeightOnOutputPagesOnly) {
    QString text;
    for (int i = 0; i < 10; ++i)
        text += QStringLiteral("ExposureTime %1\n").arg(i);
    text += QStringLiteral("2018/03/12"); // eleven lines of about 32 at 30 px in a strip of 100
    QImage page = Filled(500, 500), preview = Filled(500, 500);
    {
        Canvas canvas(page);
        ASSERT_EQ(DrawFileNameDate(canvas, StampTarget::OutputPage, 1, 0, {}, Font(30),
                                   {20, 100, 400, 100}, text, 0),
                  0);
        EXPECT_GT(canvas.fontPixelSize(), 7); // about 30 × 100 / 355
        EXPECT_LT(canvas.fontPixelSize(), 10);
        Canvas other(preview);
        DrawFileNameDate(other, StampTarget::EditorPreview, 1, 0, {}, Font(30), {20, 100, 400, 100},
                         text, 0);
    }
    const QRect ink = Ink(page);
    EXPECT_GE(ink.top(), 100);
    EXPECT_LE(ink.bottom(), 201);
    EXPECT_GT(ink.height(), 80);
    // On the preview the text is held inside only by fs: y = min(vadj, H − fs) = 0; it hangs below.
    EXPECT_GT(Ink(preview).bottom(), 400);
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
