// Rendering tiny photos with arbitrary layout values: every number, switch, text and colour of
// the layout and the sheet window's fields comes from the input, numbers mostly near the sizes of
// a small page and sometimes anywhere in the int range. A run must end with a page, a refusal
// or a message, within the memory limit it is given.
#include "FuzzSupport.h"

#include "imaging/Fonts.h"
#include "layout/SheetLayout.h"
#include "render/SheetJob.h"

#include <QGuiApplication>
#include <QImage>
#include <fuzzer/FuzzedDataProvider.h>

using namespace quorvane;

namespace {

struct Quiet : SheetRunObserver {};

// Near a small page's sizes, or anything.
int Number(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return in.ConsumeIntegral<int>();
    case 1:
        return in.ConsumeIntegralInRange(-1100000, 1100000);
    default:
        return in.ConsumeIntegralInRange(-40, 400);
    }
}

std::string Text(FuzzedDataProvider& in) {
    return in.ConsumeRandomLengthString(24);
}

std::string Colour(FuzzedDataProvider& in) {
    static const char* const kColours[] = {"ff000000", "00ffffff", "80ff0000", "FFFFFFFF", ""};
    return in.ConsumeBool() ? kColours[in.ConsumeIntegralInRange(0, 4)] : Text(in);
}

std::string Font(FuzzedDataProvider& in) {
    static const char* const kFonts[] = {"ＭＳ ゴシック", "MS Mincho", "IPAGothic", "", "no font"};
    return kFonts[in.ConsumeIntegralInRange(0, 4)];
}

// Two tiny photos, a JPEG and a half-transparent PNG, and a side file for the EXIF lines.
const QString& PhotoFolder() {
    static const QString folder = [] {
        const QString dir = QString::fromStdString(fuzz::Scratch() + "/photos");
        QImage a(8, 6, QImage::Format_RGB32);
        a.fill(0xff2050a0);
        QImage b(3, 9, QImage::Format_ARGB32);
        b.fill(0x80a05020);
        std::filesystem::create_directories(dir.toStdString());
        a.save(dir + "/a.jpg", "JPG");
        b.save(dir + "/b.png", "PNG");
        fuzz::WriteBytes(dir.toStdString() + "/b.exif", "データ撮影日時:2001-02-03\nline 2\n");
        return dir;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's warnings about odd fonts and sizes are expected here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication app(*argc, *argv);
    RegisterFontSubstitutions();
    PhotoFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    layout::SheetLayout l = layout::DefaultSheetLayout(in.ConsumeBool());
    l.ini_file_name = "CustomSize0001.ini";
    for (int* field : {&l.dpi,
                       &l.width,
                       &l.height,
                       &l.left_margin,
                       &l.right_margin,
                       &l.top_margin,
                       &l.bottom_margin,
                       &l.photo_ct,
                       &l.photo_row,
                       &l.photo_col,
                       &l.photo_width,
                       &l.photo_height,
                       &l.web_thumb_width,
                       &l.font_size,
                       &l.font_padding,
                       &l.font_margin,
                       &l.title_align,
                       &l.title_font_size,
                       &l.title_v_adjust,
                       &l.page_align,
                       &l.page_font_size,
                       &l.page_v_adjust,
                       &l.page_start_no,
                       &l.filedate_font_size,
                       &l.filedate_v_adjust,
                       &l.filedate_align})
        *field = Number(in);
    for (bool* flag : {&l.number_rdown, &l.title_in_photo, &l.l_size_trim, &l.horizontal_first,
                       &l.outerRect, &l.trim2mm, &l.disp_numer, &l.disp_page_number, &l.for_web,
                       &l.disp_filename, &l.disp_date, &l.disp_date_multiline, &l.disp_exif_info})
        *flag = in.ConsumeBool();
    l.aspect_ratio = in.ConsumeBool() ? in.ConsumeFloatingPoint<float>()
                                      : in.ConsumeFloatingPointInRange<float>(-2, 4);
    l.bg_color = Colour(in);
    l.font_color = Colour(in);
    l.title_font_color = Colour(in);
    l.page_font_color = Colour(in);
    l.filedate_font_color = Colour(in);
    l.font_name = Font(in);
    l.title_font_name = Font(in);
    l.page_font_name = Font(in);
    l.filedate_font_name = Font(in);
    l.page_text = Text(in);
    if (in.ConsumeBool())
        l.background_image =
            (PhotoFolder() + (in.ConsumeBool() ? "/a.jpg" : "/none.png")).toStdString();

    SheetRunSettings settings;
    const int photos = in.ConsumeIntegralInRange(0, 5);
    for (int i = 0; i < photos; ++i) {
        const bool png = in.ConsumeBool();
        settings.photos.append(PhotoEntry{i + 1, png ? "b.png" : "a.jpg",
                                          QString::fromStdString(Text(in)),
                                          LocalPath::FromText(PhotoFolder() + "/")});
    }
    settings.photoFolder = LocalPath::FromText(PhotoFolder());
    settings.saveFolder = LocalPath::FromText(QString::fromStdString(fuzz::Scratch() + "/save"));
    settings.japanese = in.ConsumeBool();
    settings.title = QString::fromStdString(Text(in));
    settings.startRow = QString::fromStdString(Text(in));
    settings.endRow = QString::fromStdString(Text(in));
    settings.numberOffset = QString::fromStdString(Text(in));
    settings.continuous = in.ConsumeBool();
    settings.stampFolder = false;
    settings.keepExisting = in.ConsumeBool();
    settings.noViewerUpdate = in.ConsumeBool();
    settings.quality = Number(in);
    settings.fullResolution = in.ConsumeBool();
    settings.memoryLimit = int64_t{4} << 20;

    SheetJob job;
    Quiet quiet;
    job.press(&l, settings, quiet);
    if (!settings.continuous) // the next press continues the run
        job.press(&l, settings, quiet);
    return 0;
}
