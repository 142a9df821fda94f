#include "render/EditorPreview.h"

#include "imaging/Argb.h"
#include "imaging/Canvas.h"
#include "imaging/Raster.h"
#include "layout/LayoutCalc.h"
#include "render/TextStamp.h"

#include <QRectF>
#include <cstdint>

namespace quorvane {

namespace {

using F = layout::EditorField;

constexpr QRgb kBorder = 0xff000000;
constexpr QRgb kCell = 0xffcccccc;
constexpr QRgb kCellOutline = 0xff00ff00;
constexpr double kOutlineThickness = 2;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QRgb Colour(const std::string& text) {
    return ParseArgbOr(Q(text), 0);
}

// The spacing between photos in page pixels: what is left of the page between the margins,
// shared by the gaps; none with a single photo across (or down).
int64_t Gap(int64_t page, int64_t before, int64_t after, int64_t photo, int64_t count) {
    if (count < 2)
        return 0;
    return (page - before - after - photo * count) / (count - 1);
}

int ToInt(int64_t value) {
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<int>(value);
}

} // namespace

QString PreviewUnderPhotoText(const layout::LayoutInput& input) {
    QString text;
    if (input.isOn(F::ShowFileName))
        text = kPreviewFileName;
    if (input.isOn(F::ShowDate)) {
        if (!text.isEmpty())
            text += input.isOn(F::DateOnSecondLine) ? QStringLiteral("\n") : QStringLiteral(" ");
        text += kPreviewDate;
    }
    return text;
}

layout::LayoutProblem EditorPreviewMemory(const layout::SheetLayout& layout) {
    return layout::CheckMemory(layout, layout::DefaultRenderMemoryLimit());
}

QImage DrawEditorPreview(const layout::SheetLayout& l, const layout::LayoutInput& in,
                         const PreviewStopCheck& stop) {
    constexpr int s = kEditorPreviewScale;
    if (EditorPreviewMemory(l).kind != layout::LayoutProblem::kNone)
        return {};
    QImage bitmap = CreateBitmap(l.width / s, l.height / s);
    if (bitmap.isNull())
        return bitmap;
    Clear(bitmap, Colour(in.text(F::BackgroundColour)));
    Canvas canvas(bitmap);
    canvas.DrawRectOutline(QRectF(0, 0, bitmap.width(), bitmap.height()), kBorder,
                           kOutlineThickness);

    const QString titleFamily = Q(in.text(F::TitleFont));
    const StampFont numberFont{titleFamily, Colour(in.text(F::NumberColour)), l.font_size};
    const StampFont titleFont{titleFamily, Colour(in.text(F::TitleColour)), l.title_font_size};
    const StampFont pageFont{Q(in.text(F::PageFont)), Colour(in.text(F::PageColour)),
                             l.page_font_size};
    const StampFont fileFont{
        Q(in.text(F::FileDateFont)),
        in.text(F::FileDateColour).empty() ? 0 : Colour(in.text(F::FileDateColour)),
        in.text(F::FileDateFontSize).empty() ? 0 : l.filedate_font_size};
    const QString title = Q(in.text(F::Title));
    const QString underPhoto = PreviewUnderPhotoText(in);
    const bool numbered = in.isOn(F::ShowNumbers) && !titleFamily.isEmpty();
    const bool underPhotoShown = (in.isOn(F::ShowFileName) || in.isOn(F::ShowDate)) &&
                                 fileFont.size > 0 && fileFont.colour != 0;

    const int64_t pw = l.photo_width, ph = l.photo_height;
    const int64_t gxp = Gap(l.width, l.left_margin, l.right_margin, pw, l.photo_col);
    const int64_t gyp = Gap(l.height, l.top_margin, l.bottom_margin, ph, l.photo_row);
    // The strip under a photo: the vertical gap taken as whole millimetres and converted again.
    const int stripHeight = layout::MmToPx(ToInt(gyp), layout::ScaleOf(in));

    const int cells = ToInt(int64_t{std::max(0, l.photo_row)} * std::max(0, l.photo_col));
    int number = 1;
    for (int r = 0; r < l.photo_row; ++r) {
        for (int c = 0; c < l.photo_col; ++c, ++number) {
            if (stop && stop(number - 1, cells))
                return {};
            const int64_t pageX = l.left_margin + (pw + gxp) * c;
            const int64_t pageY = l.top_margin + (ph + gyp) * r;
            // The preview divides page pixels by the scale in whole numbers, as the editor does.
            const QRectF cell(static_cast<double>(pageX / s), // NOLINT(bugprone-integer-division)
                              static_cast<double>(pageY / s), // NOLINT(bugprone-integer-division)
                              static_cast<double>(pw / s),    // NOLINT(bugprone-integer-division)
                              static_cast<double>(ph / s));   // NOLINT(bugprone-integer-division)
            canvas.FillRect(cell, kCell);
            if (numbered) {
                const bool lowerRight = in.isOn(F::NumberLowerRight);
                const int64_t ax = lowerRight ? (pageX + pw) / s : pageX / s;
                const int64_t ay = lowerRight ? (pageY + ph) / s : pageY / s;
                DrawNumberText(canvas, s, lowerRight, numberFont, l.font_padding, l.font_margin,
                               ToInt(ax), ToInt(ay), QString::number(number));
            }
            canvas.DrawRectOutline(cell, kCellOutline, kOutlineThickness);
            const StampBox photo{ToInt(pageX), ToInt(pageY), l.photo_width, l.photo_height};
            if (in.isOn(F::TitleInPhoto))
                DrawTitleTextInPhoto(canvas, StampTarget::EditorPreview, s, l.title_align,
                                     StampMargins{}, titleFont, photo, title, l.title_v_adjust);
            if (underPhotoShown)
                DrawFileNameDate(canvas, StampTarget::EditorPreview, s, l.filedate_align,
                                 StampMargins{}, fileFont,
                                 {photo.x, ToInt(pageY + ph), l.photo_width, stripHeight},
                                 underPhoto, l.filedate_v_adjust);
        }
    }

    const StampMargins margins{l.left_margin, l.right_margin, l.top_margin, l.bottom_margin};
    if (!title.isEmpty() && !titleFamily.isEmpty() && !in.isOn(F::TitleInPhoto))
        DrawTitleText(canvas, s, l.title_align, margins, titleFont, l.width, l.height, title,
                      l.title_v_adjust);
    const QString pageText = Q(in.text(F::PageText));
    if (!pageText.isEmpty() && in.isOn(F::ShowPageNumber))
        DrawPageNumberText(canvas, s, l.page_align, margins, pageFont, l.width, l.height, pageText,
                           kPreviewPageNumber, l.page_v_adjust);
    canvas.End();
    return bitmap;
}

} // namespace quorvane
