// The canvas: exact fills, the layouts' font names drawn with the IPA fonts, fractional font
// sizes, text measured over all lines and drawn unclipped, line by line.
#include "imaging/Canvas.h"
#include "catalogue/NoticeText.h"
#include "imaging/Fonts.h"
#include "imaging/Raster.h"

#include <QFontInfo>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

QRectF Edges(double l, double t, double r, double b) {
    return {QPointF(l, t), QPointF(r, b)};
}

QImage White(int w, int h) {
    QImage bitmap = CreateBitmap(w, h);
    Clear(bitmap, 0xffffffffu);
    return bitmap;
}

// Bounds of the non-white pixels in rows top..bottom-1.
QRect Ink(const QImage& image, int top = 0, int bottom = INT_MAX) {
    QRect ink;
    for (int y = top; y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != 0xffffffffu)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

class CanvasTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterFontSubstitutions(); }
};

} // namespace

TEST_F(CanvasTest, FillRectCoversExactlyItsPixels) {
    QImage bitmap = White(20, 20);
    {
        Canvas canvas(bitmap);
        canvas.FillRect(Edges(3, 4, 8, 6), 0xff000000u);
        canvas.FillRect(Edges(10, 10, 12, 12), 0x80000000u); // blended over white
    }
    EXPECT_EQ(Ink(bitmap, 0, 8), QRect(QPoint(3, 4), QPoint(7, 5)));
    EXPECT_NEAR(qRed(bitmap.pixel(11, 11)), 127, 2);
}

TEST_F(CanvasTest, LayoutFontNamesDrawWithTheIpaFonts) {
    QImage bitmap = White(10, 10);
    Canvas canvas(bitmap);
    const std::pair<QString, QString> cases[] = {
        {QString(), "IPAGothic"},     {"ＭＳ ゴシック", "IPAGothic"},
        {"MS Gothic", "IPAGothic"},   {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"MS PGothic", "IPAPGothic"}, {"ＭＳ 明朝", "IPAMincho"},
        {"MS Mincho", "IPAMincho"},
    };
    for (const auto& [family, drawnWith] : cases) {
        canvas.SetFont(family, 24);
        // Compared through QFontInfo on both sides: in a Japanese locale fontconfig reports the
        // IPA families by their Japanese names ("IPAゴシック").
        EXPECT_EQ(QFontInfo(canvas.painter().font()).family(), QFontInfo(QFont(drawnWith)).family())
            << family.toStdString();
        EXPECT_FALSE(canvas.painter().font().bold());
    }
}

TEST_F(CanvasTest, AMissingJapaneseFontIsNoticedNamingThePackages) {
    EXPECT_FALSE(MissingJapaneseFontNotice()); // the IPA fonts are installed here
    EXPECT_FALSE(MissingJapaneseFontNotice({QStringLiteral("IPAGothic")}));
    const auto missing = MissingJapaneseFontNotice(QStringList());
    ASSERT_TRUE(missing);
    for (const bool japanese : {true, false}) {
        const QString notice = NoticeText(*missing, japanese);
        EXPECT_TRUE(notice.contains("fonts-ipafont-gothic")) << japanese;
        EXPECT_EQ(notice.contains(QStringLiteral("フォント")), japanese);
    }
}

TEST_F(CanvasTest, MeasuresTheWidestLineAndAllLinesAtFractionalSizes) {
    QImage bitmap = White(10, 10);
    Canvas canvas(bitmap);
    canvas.SetFont(QString(), 40);
    const QSizeF one = canvas.MeasureText(QStringLiteral("7777"));
    EXPECT_NEAR(one.width(), 80, 1); // IPAGothic digits are half an em
    const QSizeF two = canvas.MeasureText(QStringLiteral("77\n777777"));
    EXPECT_DOUBLE_EQ(two.width(), canvas.MeasureText(QStringLiteral("777777")).width());
    EXPECT_NEAR(two.height(), 2 * one.height(), 2);
    EXPECT_EQ(canvas.MeasureText(QStringLiteral("77\r\n777777")), two);
    // Qt rounds font sizes to whole pixels; the canvas keeps 20.5 (41 wide, not 42).
    canvas.SetFont(QString(), 20.5);
    EXPECT_NEAR(canvas.MeasureText(QStringLiteral("7777")).width(), 41, 0.3);
    canvas.SetFont(QString(), 0);
    EXPECT_EQ(canvas.MeasureText(QStringLiteral("7777")), QSizeF(0, 0));
}

TEST_F(CanvasTest, DrawTextAlignsEachLineAndNeverClips) {
    for (TextAlign align : {TextAlign::Left, TextAlign::Centre, TextAlign::Right}) {
        QImage bitmap = White(300, 120);
        {
            Canvas canvas(bitmap);
            canvas.SetFont(QString(), 40);
            canvas.DrawText(Edges(50, 10, 250, 110), "7\n777777", 0xff000000u, align);
        }
        // Two lines of about 43 centred in 100: the first about rows 17..60.
        const QRect first = Ink(bitmap, 0, 60), second = Ink(bitmap, 61);
        const int expected = align == TextAlign::Left ? 50 : align == TextAlign::Centre ? 150 : 250;
        const auto at = [align](QRect r) {
            return align == TextAlign::Left     ? r.left()
                   : align == TextAlign::Centre ? r.center().x()
                                                : r.right();
        };
        EXPECT_NEAR(at(first), expected, 6);
        EXPECT_NEAR(at(second), expected, 6);
    }
    // A rectangle lower and narrower than the text: the text spills over it, centred.
    QImage bitmap = White(200, 200);
    {
        Canvas canvas(bitmap);
        canvas.SetFont(QString(), 60);
        canvas.DrawText(Edges(90, 95, 110, 105), "777", 0xff0000ffu, TextAlign::Centre);
    }
    const QRect ink = Ink(bitmap);
    EXPECT_GT(ink.width(), 70);
    EXPECT_GT(ink.height(), 30);
    EXPECT_NEAR(ink.center().x(), 100, 4);
    EXPECT_NEAR(ink.center().y(), 100, 8);
}
