#include "render/PageRenderer.h"

#include "exif/ExifReader.h"
#include "files/LocalPath.h"
#include "imaging/Argb.h"
#include "imaging/Canvas.h"
#include "imaging/JpegEncode.h"
#include "imaging/Raster.h"
#include "layout/RenderableLayout.h"
#include "render/OutputFolder.h"
#include "render/PageFileSink.h"
#include "render/PageOutput.h"
#include "render/PhotoPlan.h"
#include "render/PhotoPrefetch.h"
#include "render/PhotoSource.h"
#include "render/PreparedPhoto.h"
#include "render/RunPhotos.h"
#include "render/TextStamp.h"
#include "render/UnderPhotoText.h"
#include "text/Numbers.h"

#include <QFile>
#include <QThread>
#include <utility>

namespace quorvane {

namespace {

constexpr QRgb kFrameColour = 0xff000000;
constexpr QRgb kTextColour = 0xff000000;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

StampFont Font(const std::string& family, const std::string& colour, int size) {
    return StampFont{Q(family), ParseArgbOr(Q(colour), kTextColour), size};
}

// A path as a problem names it: as people read it.
std::string Named(const LocalPath& path) {
    return path.display().toStdString();
}

// An optional whole number typed into a field.
std::optional<int> FieldNumber(const QString& text) {
    return text::ParseInt(text.toStdString());
}

} // namespace

PageRenderer::PageRenderer(const layout::SheetLayout& layout, const SheetRunSettings& settings,
                           SheetRunObserver& observer, std::atomic<bool>& stopRequest)
    : layout_(layout), settings_(settings), observer_(observer), stop_(stopRequest) {}

void PageRenderer::fail(const text::Problem& problem) {
    observer_.problem(problem);
    stop_ = true;
}

layout::LayoutProblem PageRenderer::checkValues() const {
    return layout::CheckRenderable(layout_, settings_.memoryLimit > 0
                                                ? settings_.memoryLimit
                                                : layout::DefaultRenderMemoryLimit());
}

int PageRenderer::refuseUnusableValues() {
    const layout::LayoutProblem problem = checkValues();
    if (problem.kind == layout::LayoutProblem::kNone)
        return 0;
    observer_.problem(layout::RefusalProblem(problem, layout_.ini_file_name));
    return kRenderStopped;
}

int PageRenderer::prepare() {
    const layout::SheetLayout& L = layout_;
    if (L.photo_ct < 1) {
        observer_.problem({text::ProblemCode::kRunNoPhotosPerPage, {}});
        return kRenderStopped;
    }
    if (const int refused = refuseUnusableValues(); refused < 0)
        return refused;
    background_ = ParseArgbOr(Q(L.bg_color), 0xffffffff);

    RunPhotos photos = TakeRunPhotos(settings_.photos);
    paths_ = std::move(photos.paths);
    dates_ = std::move(photos.dates);

    gapX_ = L.photo_col < 2
                ? 0
                : static_cast<int>((static_cast<int64_t>(L.width) - L.left_margin - L.right_margin -
                                    static_cast<int64_t>(L.photo_col) * L.photo_width) /
                                   (L.photo_col - 1));
    gapY_ =
        L.photo_row < 2
            ? 0
            : static_cast<int>((static_cast<int64_t>(L.height) - L.top_margin - L.bottom_margin -
                                static_cast<int64_t>(L.photo_row) * L.photo_height) /
                               (L.photo_row - 1));
    const auto offset = FieldNumber(settings_.numberOffset);
    numberOffset_ = offset && *offset < 10001 ? *offset : 0;
    endRow_ = FieldNumber(settings_.endRow);

    page_ = CreateBitmap(L.width, L.height);
    if (page_.isNull()) {
        fail({text::ProblemCode::kRunOutOfMemory, {}});
        return kRenderMemoryOrImage;
    }
    observer_.progress(0, L.photo_ct);

    backgroundImage_ = QImage();
    if (!L.background_image.empty()) {
        // A background the layout names but that is missing, unreadable or no regular file (a
        // named pipe would block the run) fails the run.
        backgroundImage_ =
            LoadPhoto(LocalPath::FromText(Q(L.background_image)), decoding_.cancelled);
        if (backgroundImage_.isNull()) {
            page_ = QImage();
            if (decoding_.cancelled && decoding_.cancelled()) {
                stop_ = true;
                return kRenderStopped;
            }
            fail({text::ProblemCode::kRunBackgroundUnreadable, {}});
            return kRenderBackground;
        }
    }
    clearPage();
    return 0;
}

void PageRenderer::clearPage() {
    pageFinished_ = false;
    Clear(page_, background_);
    if (backgroundImage_.isNull())
        return;
    // The background image is drawn unscaled from the top-left corner, cut to the page.
    const int w = std::min(backgroundImage_.width(), page_.width());
    const int h = std::min(backgroundImage_.height(), page_.height());
    const QRectF rect(QPointF(0, 0), QPointF(w - 1, h - 1));
    Canvas canvas(page_);
    canvas.DrawBitmap(backgroundImage_, rect, rect);
}

QPoint PageRenderer::cellOrigin(const Cell& cell) const {
    const int64_t x = layout_.left_margin +
                      static_cast<int64_t>(cell.col) * (int64_t{layout_.photo_width} + gapX_);
    const int64_t y = layout_.top_margin +
                      static_cast<int64_t>(cell.row) * (int64_t{layout_.photo_height} + gapY_);
    return QPoint(static_cast<int>(std::clamp<int64_t>(x, INT32_MIN / 2, INT32_MAX / 2)),
                  static_cast<int>(std::clamp<int64_t>(y, INT32_MIN / 2, INT32_MAX / 2)));
}

void PageRenderer::advance(Cell& cell) const {
    if (layout_.horizontal_first) {
        if (++cell.col >= layout_.photo_col) {
            cell.col = 0;
            ++cell.row;
        }
    } else {
        if (++cell.row >= layout_.photo_row) {
            cell.row = 0;
            ++cell.col;
        }
    }
}

QString PageRenderer::photoTitle(int index) const {
    QString text = settings_.title;
    text.replace(QStringLiteral("[$DATE]"), dates_.value(index), Qt::CaseInsensitive);
    text.replace(QStringLiteral("[$FOLDER]"), settings_.photoFolder.display(), Qt::CaseInsensitive);
    return text;
}

QStringList PageRenderer::exifLines(const LocalPath& path) const {
    QStringList lines = SideFileLines(path);
    if (!lines.isEmpty())
        return lines;
    exif::ExifOptions options;
    options.maxTagLineCol = settings_.maxTagLineCol;
    options.maxDumpBinCt = settings_.maxDumpBinCt;
    options.japaneseNames = settings_.japaneseTagNames;
    options.makerNotes = settings_.makerNotes;
    options.settingsFolder = QFile::encodeName(settings_.settingsFolder).toStdString();
    std::vector<std::string> items;
    exif::ReadReport(path.bytes().toStdString(), items, options);
    if (items.size() <= 1)
        return lines;
    // Block items hold several lines, each ended by a line break.
    for (const std::string& item : items) {
        QStringList parts = QString::fromStdString(item).split(QLatin1Char('\n'));
        if (parts.size() > 1 && parts.last().isEmpty())
            parts.removeLast();
        lines << parts;
    }
    return lines;
}

PhotoPlanInput PageRenderer::cellPlan() const {
    PhotoPlanInput input;
    input.cell = QSize(layout_.photo_width, layout_.photo_height);
    input.dpi = layout_.dpi;
    input.cutPeriphery = layout_.trim2mm;
    input.trimToRatio = layout_.l_size_trim;
    input.ratio = layout_.aspect_ratio;
    return input;
}

bool PageRenderer::placePhoto(int index, PreparedPhoto& photo, const Cell& cell) {
    const layout::SheetLayout& L = layout_;
    const LocalPath& path = paths_[index];
    QImage& fitted = photo.fitted;
    const int fw = fitted.width(), fh = fitted.height();
    {
        Canvas canvas(fitted);
        if (L.title_in_photo)
            DrawTitleTextInPhoto(canvas, StampTarget::OutputPage, 1, L.title_align, StampMargins{},
                                 Font(L.title_font_name, L.title_font_color, L.title_font_size),
                                 StampBox{0, 0, fw, fh}, photoTitle(index), L.title_v_adjust);
        if (L.disp_numer)
            DrawNumberText(canvas, 1, L.number_rdown, Font(L.font_name, L.font_color, L.font_size),
                           L.font_padding, L.font_margin, L.number_rdown ? fw : 0,
                           L.number_rdown ? fh : 0,
                           QString::number(static_cast<int64_t>(index) + numberOffset_ + 1));
    }
    if (!settings_.noViewerUpdate)
        observer_.photoPlaced(fitted);

    const QPoint origin = cellOrigin(cell);
    const int x = origin.x() + (photo.cell.width() > fw ? (photo.cell.width() - fw) / 2 : 0);
    const int y = origin.y() + (photo.cell.height() > fh ? (photo.cell.height() - fh) / 2 : 0);
    if (photo.opaque) { // drawing opaque pixels over the page is copying them
        CopyRect(fitted, fitted.rect(), page_, QPoint(x, y));
    } else {
        Canvas page(page_);
        page.DrawBitmap(fitted, QRectF(fitted.rect()), QRectF(x, y, fw, fh));
    }
    if (L.for_web && !writeWebPhoto(fitted, path))
        return false;

    if (L.disp_filename || L.disp_date || L.disp_exif_info) {
        UnderPhotoParts parts{L.disp_filename, L.disp_exif_info, L.disp_date,
                              L.disp_date_multiline};
        const QString text = BuildUnderPhotoText(parts, DisplayName(path.fileName()),
                                                 L.disp_exif_info ? exifLines(path) : QStringList(),
                                                 dates_.value(index));
        if (!text.isEmpty()) {
            const int strip = static_cast<int>(std::clamp<int64_t>(
                int64_t{L.photo_row == 1 ? L.bottom_margin : gapY_} - L.filedate_v_adjust,
                INT32_MIN, INT32_MAX));
            Canvas page(page_);
            DrawFileNameDateOnPage(
                page, 1, L.filedate_align, StampMargins{},
                Font(L.filedate_font_name, L.filedate_font_color, L.filedate_font_size),
                StampBox{origin.x(), origin.y() + L.photo_height, L.photo_width, strip}, text,
                L.filedate_v_adjust);
        }
    }
    return true;
}

bool PageRenderer::mayWrite(const QString& name) {
    if (!output_ || writeGuard_.mayWrite(name))
        return true;
    fail({text::ProblemCode::kPageWouldReplacePhoto, {Named(output_->pathOf(name))}});
    return false;
}

QString PageRenderer::webPhotoName(const LocalPath& path) {
    // Each placed photo gets its own file: same-named photos of other folders or kinds get
    // "_2", "_3", ... in list order. Names compare without case, as a shop's file systems do.
    const QString shown = DisplayName(path.fileName());
    const qsizetype dot = shown.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? shown.left(dot) : shown;
    QString name = base + QStringLiteral(".jpg");
    for (int n = 2; webNames_->contains(name.toLower()); ++n)
        name = base + QLatin1Char('_') + QString::number(n) + QStringLiteral(".jpg");
    webNames_->insert(name.toLower());
    return name;
}

bool PageRenderer::writeWebPhoto(const QImage& photo, const LocalPath& path) {
    const int width = std::max(1, layout_.web_thumb_width);
    const int height = std::max<int>(
        1, static_cast<int>(static_cast<int64_t>(photo.height()) * width / photo.width()));
    const QString name = webPhotoName(path);
    if (!output_ || (settings_.keepExisting && output_->contains(name)))
        return true;
    if (!mayWrite(name))
        return false;
    const QImage thumb = ScaledCopy(photo, width, height);
    const auto bytes = thumb.isNull() ? std::nullopt : EncodeJpeg(thumb, settings_.quality);
    int errorCode = 0;
    if (!bytes || !output_->write(name, *bytes, &errorCode)) {
        fail(WriteProblem(output_->pathOf(name), errorCode));
        return false;
    }
    observer_.pageWritten(output_->pathOf(name));
    return true;
}

bool PageRenderer::finishPage(const PageCursor& cursor, int pageCounter) {
    const layout::SheetLayout& L = layout_;
    const QString& titleText = cursor.title;
    const QString& date = cursor.date;
    {
        Canvas canvas(page_);
        if (L.outerRect && !L.for_web) {
            for (int row = 0; row < L.photo_row; ++row) {
                for (int col = 0; col < L.photo_col; ++col) {
                    const QPoint o = cellOrigin(Cell{col, row});
                    const double x = o.x(), y = o.y(), w = L.photo_width, h = L.photo_height;
                    canvas.FillRect(QRectF(QPointF(x, y), QPointF(x + w - 1, y + 1)), kFrameColour);
                    canvas.FillRect(QRectF(QPointF(x, y + h - 1), QPointF(x + w - 1, y + h)),
                                    kFrameColour);
                    canvas.FillRect(QRectF(QPointF(x, y), QPointF(x + 1, y + h - 1)), kFrameColour);
                    canvas.FillRect(QRectF(QPointF(x + w - 1, y), QPointF(x + w, y + h)),
                                    kFrameColour);
                }
            }
        }
        const StampMargins margins{L.left_margin, L.right_margin, L.top_margin, L.bottom_margin};
        if (!L.title_in_photo)
            DrawTitleText(canvas, 1, L.title_align, margins,
                          Font(L.title_font_name, L.title_font_color, L.title_font_size),
                          page_.width(), page_.height(), titleText, L.title_v_adjust);
        if (L.disp_page_number) {
            QString text = Q(L.page_text);
            text.replace(QStringLiteral("[$DATE]"), date, Qt::CaseInsensitive);
            text.replace(QStringLiteral("[$FOLDER]"), settings_.photoFolder.display(),
                         Qt::CaseInsensitive);
            const int64_t printed = L.page_start_no > 1
                                        ? static_cast<int64_t>(pageCounter) + L.page_start_no - 1
                                        : pageCounter;
            DrawPageNumberText(canvas, 1, L.page_align, margins,
                               Font(L.page_font_name, L.page_font_color, L.page_font_size),
                               page_.width(), page_.height(), text, QString::number(printed),
                               L.page_v_adjust);
        }
    }
    if (!settings_.noViewerUpdate)
        observer_.pageFinished(page_);
    if (!L.for_web) {
        FinishedPage page(page_, pageCounter, L.dpi, settings_.quality, cursor.photos);
        for (PageSink* sink : sinks_) {
            if (const auto problem = sink->take(page)) {
                fail(*problem);
                return false;
            }
        }
    }
    pageFinished_ = true; // cleared when the next photo comes, if one does
    return true;
}

std::unique_ptr<PhotoPrefetch> PageRenderer::startPrefetch(int firstPhoto) const {
    const int workers =
        decoding_.workers < 0 ? std::max(1, QThread::idealThreadCount()) : decoding_.workers;
    // Photos adjusted one by one wait for the operator: nothing is prepared ahead.
    if (workers == 0 || adjusting())
        return nullptr;
    // The photos the run can reach: up to the end row, and for a single page only as many
    // present photos as fill it.
    std::vector<int> order;
    int present = 0;
    for (int i = firstPhoto; i < photoCount(); ++i) {
        if (endRow_ && int64_t{i} + 1 > *endRow_)
            break;
        if (!settings_.continuous) {
            if (present >= layout_.photo_ct)
                break;
            present += IsLocalFile(paths_[i]) ? 1 : 0;
        }
        order.push_back(i);
    }
    if (order.size() < 2)
        return nullptr;
    auto prepare = [input = cellPlan(), web = layout_.for_web, decoding = decoding_,
                    limit =
                        std::max<int64_t>(1, decoding_.workerByteLimit)](const LocalPath& path) {
        return PreparePhoto(path, input, web, decoding.reduce, limit, decoding.cancelled);
    };
    return std::make_unique<PhotoPrefetch>(paths_, std::move(order), std::move(prepare), workers,
                                           2 * workers);
}

bool PageRenderer::adjusting() const {
    return layout_.photo_ct == 1 && settings_.adjustInPreview;
}

int PageRenderer::placeNext(int index, PageCursor& cursor, PhotoPrefetch* prefetch) {
    const layout::SheetLayout& L = layout_;
    // One-photo layouts may have each photo adjusted first; a cancel ends the job silently.
    std::optional<PhotoAdjustment> adjustment;
    if (adjusting())
        adjustment = observer_.adjustPhoto(paths_[index]);
    if (adjustment && !adjustment->accepted) {
        stop_ = true;
        return kRenderStopped;
    }
    std::optional<PreparedPhoto> ready;
    if (adjustment && adjustment->inUse())
        ready = PrepareAdjustedPhoto(paths_[index], *adjustment, cellPlan());
    else if (prefetch)
        ready = prefetch->take(index, FileStamp::Of(paths_[index]));
    PreparedPhoto photo = ready ? std::move(*ready)
                                : PreparePhoto(paths_[index], cellPlan(), L.for_web,
                                               decoding_.reduce, 0, decoding_.cancelled);
    if (photo.failure == PreparedPhoto::Cancelled) { // a stop, not a failure: nothing to say
        stop_ = true;
        return kRenderStopped;
    }
    if (photo.failure == PreparedPhoto::Unreadable) {
        fail({text::ProblemCode::kRunPhotoUnreadable, {Named(paths_[index])}});
        return kRenderMemoryOrImage;
    }
    if (photo.failure == PreparedPhoto::OutOfMemory) {
        fail({text::ProblemCode::kRunOutOfMemory, {}});
        return kRenderMemoryOrImage;
    }
    if (pageFinished_)
        clearPage();
    if (!placePhoto(index, photo, cursor.cell))
        return kRenderMemoryOrImage;
    cursor.title = photoTitle(index);
    cursor.date = dates_.value(index);
    cursor.photos.push_back(
        {static_cast<int64_t>(index) + numberOffset_ + 1, paths_[index], dates_.value(index)});
    ++cursor.placed;
    observer_.progress(cursor.placed, L.photo_ct);
    advance(cursor.cell);
    return 0;
}

int PageRenderer::closePage(PageCursor& cursor) {
    const int number = cursor.page + 1;
    observer_.progress(layout_.photo_ct, layout_.photo_ct);
    observer_.yield();
    // A stop here leaves the page unwritten, and its photos are rendered again by the next press.
    if (stop_)
        return kRenderStopped;
    // Old pages go once this run has a page to put in their place; a stop meanwhile ends it.
    if (beforeFirstPage_) {
        const auto hook = std::exchange(beforeFirstPage_, {});
        hook();
        if (stop_)
            return kRenderStopped;
    }
    if (!finishPage(cursor, number))
        return kRenderMemoryOrImage;
    cursor.page = number;
    cursor.placed = 0;
    cursor.photos.clear();
    cursor.cell = Cell{};
    return 0;
}

RenderOutcome PageRenderer::outcome(const PageCursor& cursor, int code) const {
    RenderOutcome out;
    out.code = code;
    out.pageCounter = cursor.page;
    out.resumePhoto = cursor.resumePhoto;
    return out;
}

bool PageRenderer::finishSinks() {
    bool finished = true;
    for (PageSink* sink : sinks_) {
        if (const auto problem = sink->finish()) {
            fail(*problem);
            finished = false;
        }
    }
    return finished;
}

RenderOutcome PageRenderer::run(int firstPhoto, int pageCounter) {
    // The page files come first among the sinks, so each page is on disk before it goes on.
    std::optional<PageFileSink> files;
    if (output_ && !layout_.for_web) {
        PageWriteOptions options;
        options.quality = settings_.quality;
        options.dpi = layout_.dpi;
        options.keepExisting = settings_.keepExisting;
        options.fullResolution = settings_.fullResolution;
        files.emplace(*output_, writeGuard_, observer_, options);
        sinks_.insert(sinks_.begin(), &*files);
    }
    RenderOutcome out = renderPages(firstPhoto, pageCounter);
    // The pages finished so far complete the run's other files (the PDF, the order sheet, the
    // print job) also when the run stopped or failed; only then is success told.
    const bool finished = finishSinks();
    if (files)
        sinks_.erase(sinks_.begin());
    if (out.code < 0)
        return out;
    if (!finished) {
        out.code = kRenderMemoryOrImage;
        return out;
    }
    observer_.notice({text::NoticeCode::kSheetsCreated, {}});
    observer_.progress(layout_.photo_ct, layout_.photo_ct);
    if (output_)
        observer_.openFolder(output_->path());
    return out;
}

RenderOutcome PageRenderer::renderPages(int firstPhoto, int pageCounter) {
    const layout::SheetLayout& L = layout_;
    PageCursor cursor;
    cursor.page = pageCounter;
    cursor.resumePhoto = std::max(0, firstPhoto);

    const std::unique_ptr<PhotoPrefetch> prefetch = startPrefetch(cursor.resumePhoto);
    const int count = photoCount();
    int index = cursor.resumePhoto;
    for (; index < count; ++index) {
        observer_.yield();
        if (stop_)
            return outcome(cursor, kRenderStopped);
        if (endRow_ && index + 1 > *endRow_)
            break;
        if (!IsLocalFile(paths_[index])) // deleted since the list was made
            continue;
        if (const int code = placeNext(index, cursor, prefetch.get()); code < 0)
            return outcome(cursor, code);
        if (cursor.placed < L.photo_ct)
            continue;
        if (const int code = closePage(cursor); code < 0)
            return outcome(cursor, code);
        cursor.resumePhoto = index + 1;
        if (!settings_.continuous) {
            ++index;
            break;
        }
    }
    if (cursor.placed > 0) {
        if (const int code = closePage(cursor); code < 0)
            return outcome(cursor, code);
    }
    cursor.resumePhoto = index;

    RenderOutcome out = outcome(cursor, cursor.page + 1);
    out.listDone = out.resumePhoto >= count || (endRow_ && out.resumePhoto + 1 > *endRow_);
    return out;
}

} // namespace quorvane
