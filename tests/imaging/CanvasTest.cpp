// The canvas: exact fills, outlines and lines, bitmaps drawn with opacity, the font families of
// the layouts drawn with the IPA fonts, text measured and drawn line by line.
#include "imaging/Canvas.h"
#include "imaging/Fonts.h"
#include "imaging/Raster.h"

#include <QFontInfo>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

QRectF Edges(double l, double t, double r, double b) {
    return QRectF(QPointF(l, t), QPointF(r, b));
}

QImage White(int w, int h) {
    QImage bitmap = CreateBitmap(w, h);
    Clear(bitmap, 0xffffffffu);
    return bitmap;
}

// Bounds of the pixels that are not the background, within the rows top..bottom-1.
QRect Ink(const QImage& image, int top = 0, int bottom = -1, QRgb background = 0xffffffffu) {
    if (bottom < 0)
        bottom = image.height();
    int l = INT_MAX, t = INT_MAX, r = -1, b = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
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
        ASSERT_TRUE(canvas.isActive());
        canvas.FillRect(Edges(3, 4, 8, 6), 0xff000000u);
    }
    EXPECT_EQ(Ink(bitmap), QRect(QPoint(3, 4), QPoint(7, 5)));
    EXPECT_EQ(bitmap.pixel(3, 4), 0xff000000u);
    EXPECT_EQ(bitmap.pixel(7, 5), 0xff000000u);
}

TEST_F(CanvasTest, OutlinesLinesAndTranslucentFills) {
    QImage bitmap = White(40, 40);
    {
        Canvas canvas(bitmap);
        canvas.DrawRectOutline(Edges(10, 10, 30, 30), 0xffff0000u, 2);
        canvas.DrawLine(QPointF(0, 35.5), QPointF(40, 35.5), 0xff0000ffu, 1);
        canvas.FillRect(Edges(0, 0, 5, 5), 0x80000000u);
    }
    EXPECT_EQ(bitmap.pixel(20, 10), 0xffff0000u);
    EXPECT_EQ(bitmap.pixel(10, 20), 0xffff0000u);
    EXPECT_EQ(bitmap.pixel(20, 20), 0xffffffffu); // inside stays empty
    EXPECT_EQ(bitmap.pixel(5, 35), 0xff0000ffu);
    EXPECT_EQ(bitmap.pixel(5, 34), 0xffffffffu);
    // Half-transparent black over white blends to grey.
    EXPECT_NEAR(qRed(bitmap.pixel(2, 2)), 127, 2);
    EXPECT_EQ(qAlpha(bitmap.pixel(2, 2)), 255);
}

TEST_F(CanvasTest, DrawBitmapScalesTheSourceRectangleWithOpacity) {
    QImage source = CreateBitmap(10, 10);
    Clear(source, 0xff000000u);
    QImage bitmap = White(40, 40);
    {
        Canvas canvas(bitmap);
        canvas.DrawBitmap(source, Edges(0, 0, 5, 5), Edges(0, 0, 20, 20), 1.0);
        canvas.DrawBitmap(source, Edges(0, 0, 10, 10), Edges(20, 20, 40, 40), 0.5);
    }
    EXPECT_EQ(bitmap.pixel(10, 10), 0xff000000u);
    EXPECT_EQ(bitmap.pixel(25, 5), 0xffffffffu);
    EXPECT_NEAR(qRed(bitmap.pixel(30, 30)), 127, 3);
}

TEST_F(CanvasTest, LayoutFontNamesDrawWithTheIpaFonts) {
    QImage bitmap = White(10, 10);
    Canvas canvas(bitmap);
    struct Case {
        QString family;
        QString drawnWith;
    };
    const Case cases[] = {
        {QString(), "IPAGothic"},
        {QStringLiteral("ＭＳ ゴシック"), "IPAGothic"},
        {QStringLiteral("MS Gothic"), "IPAGothic"},
        {QStringLiteral("ＭＳ Ｐゴシック"), "IPAPGothic"},
        {QStringLiteral("MS PGothic"), "IPAPGothic"},
        {QStringLiteral("ＭＳ 明朝"), "IPAMincho"},
        {QStringLiteral("MS Mincho"), "IPAMincho"},
        {QStringLiteral("IPAMincho"), "IPAMincho"},
    };
    for (const Case& c : cases) {
        canvas.SetFont(c.family, 24);
        EXPECT_EQ(QFontInfo(canvas.painter().font()).family(), c.drawnWith)
            << c.family.toStdString();
        EXPECT_FALSE(canvas.painter().font().bold());
        EXPECT_FALSE(canvas.painter().font().italic());
    }
    EXPECT_EQ(EffectiveFontFamily(QString()), QStringLiteral("ＭＳ ゴシック"));
}

TEST_F(CanvasTest, MeasuresWidthOfTheWidestLineAndHeightOfAllLines) {
    QImage bitmap = White(10, 10);
    Canvas canvas(bitmap);
    canvas.SetFont(QString(), 40);
    EXPECT_DOUBLE_EQ(canvas.fontPixelSize(), 40);
    const QSizeF one = canvas.MeasureText(QStringLiteral("7777"));
    EXPECT_NEAR(one.width(), 80, 1); // IPAGothic digits are half an em wide
    EXPECT_NEAR(one.height(), 43, 2);
    const QSizeF two = canvas.MeasureText(QStringLiteral("77\n777777"));
    EXPECT_DOUBLE_EQ(two.width(), canvas.MeasureText(QStringLiteral("777777")).width());
    EXPECT_NEAR(two.height(), 2 * one.height(), 2);
    EXPECT_EQ(canvas.MeasureText(QStringLiteral("77\r\n777777")), two);
    // Fractional sizes are kept.
    canvas.SetFont(QString(), 20.5);
    EXPECT_NEAR(canvas.MeasureText(QStringLiteral("7777")).width(), 41, 0.6);
    // Nothing is measured or drawn at a size of 0 or less.
    canvas.SetFont(QString(), 0);
    EXPECT_EQ(canvas.MeasureText(QStringLiteral("7777")), QSizeF(0, 0));
}

TEST_F(CanvasTest, DrawTextAlignsEachLineByItself) {
    const QString text = QStringLiteral("7\n777777");
    auto draw = [&](TextAlign align) {
        QImage bitmap = White(300, 120);
        Canvas canvas(bitmap);
        canvas.SetFont(QString(), 40);
        canvas.DrawText(Edges(50, 10, 250, 110), text, 0xff000000u, align);
        canvas.End();
        return bitmap;
    };
    // Line 1 is about rows 17..60, line 2 about rows 60..103 (two lines of 43 centred in 100).
    for (TextAlign align : {TextAlign::Left, TextAlign::Centre, TextAlign::Right}) {
        const QImage bitmap = draw(align);
        const QRect first = Ink(bitmap, 0, 60);
        const QRect second = Ink(bitmap, 61, 120);
        ASSERT_FALSE(first.isNull());
        ASSERT_FALSE(second.isNull());
        EXPECT_LT(first.width(), 20);
        EXPECT_GT(second.width(), 100);
        switch (align) {
        case TextAlign::Left:
            EXPECT_NEAR(first.left(), 50, 6);
            EXPECT_NEAR(second.left(), 50, 6);
            break;
        case TextAlign::Centre:
            EXPECT_NEAR(first.center().x(), 150, 4);
            EXPECT_NEAR(second.center().x(), 150, 4);
            break;
        case TextAlign::Right:
            EXPECT_NEAR(first.right(), 250, 6);
            EXPECT_NEAR(second.right(), 250, 6);
            break;
        }
    }
}

TEST_F(CanvasTest, TextIsVerticallyCentredAndNeverClipped) {
    QImage bitmap = White(200, 200);
    {
        Canvas canvas(bitmap);
        canvas.SetFont(QString(), 60);
        // A rectangle much lower and narrower than the text.
        canvas.DrawText(Edges(90, 95, 110, 105), QStringLiteral("777"), 0xff0000ffu,
                        TextAlign::Centre);
    }
    const QRect ink = Ink(bitmap);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GT(ink.width(), 70);
    EXPECT_GT(ink.height(), 30);
    EXPECT_NEAR(ink.center().x(), 100, 4);
    EXPECT_NEAR(ink.center().y(), 100, 8);
}

TEST_F(CanvasTest, NullBitmapGivesAnInactiveCanvas) {
    QImage none;
    Canvas canvas(none);
    EXPECT_FALSE(canvas.isActive());
    canvas.FillRect(Edges(0, 0, 5, 5), 0xff000000u);
    canvas.SetFont(QString(), 12);
    canvas.DrawText(Edges(0, 0, 5, 5), QStringLiteral("x"), 0xff000000u, TextAlign::Left);
}
