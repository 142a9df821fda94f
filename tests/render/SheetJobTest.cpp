// Whole runs of the renderer and the job on drawn photos: placement read back from the page
// pixels, page files, continuation across presses, end and start rows, old files, stops.
#include "render/SheetJob.h"
#include "layout/SheetLayout.h"
#include "render/PageRenderer.h"

#include "RunRecorder.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

struct Recorder : test::RunRecorder {
    Recorder() : RunRecorder(true) {} // Japanese messages unless a test sets otherwise
};

// A small layout without texts: 2 x 2 cells of 100 x 80 on a 300 x 220 page.
layout::SheetLayout SmallLayout() {
    layout::SheetLayout l = layout::DefaultSheetLayout(true);
    l.width = 300;
    l.height = 220;
    l.left_margin = 20;
    l.right_margin = 20;
    l.top_margin = 20;
    l.bottom_margin = 20;
    l.photo_col = 2;
    l.photo_row = 2;
    l.photo_ct = 4;
    l.photo_width = 100;
    l.photo_height = 80;
    l.bg_color = "ff00ff00";
    l.disp_numer = false;
    return l;
}

class SheetRun : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir().mkpath(Q(dir / "photos"));
        settings.saveFolder = LocalPath::FromText(Q(dir / "save"));
        settings.photoFolder = LocalPath::FromText(Q(dir / "photos"));
        settings.fullResolution = true;
        job.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 20, 30)); };
        rec.job = &job;
    }
    // Photos of one colour each, 200 x 160 PNG, listed in order; written into `folder` and
    // listed from `listedAs` (the same folder, or a link to it) when given.
    void AddPhotos(int count, QSize size = {200, 160}, QString folder = {}, QString listedAs = {}) {
        if (folder.isEmpty())
            folder = Q(dir / "photos");
        if (listedAs.isEmpty())
            listedAs = folder;
        QDir().mkpath(folder);
        for (int i = 0; i < count; ++i) {
            const QString name =
                QStringLiteral("p%1.png").arg(settings.photos.size() + 1, 2, 10, QLatin1Char('0'));
            QImage img(size, QImage::Format_ARGB32);
            img.fill(qRgb(10 * i, 0, 200));
            ASSERT_TRUE(img.save(folder + "/" + name));
            settings.photos.append(PhotoEntry{static_cast<int>(settings.photos.size()) + 1, name,
                                              QStringLiteral("2017/03/04 "),
                                              LocalPath::FromText(listedAs + "/")});
        }
    }
    QStringList PagesIn(const QString& folder) {
        return QDir(folder).entryList({"*.jpg"}, QDir::Files, QDir::Name);
    }

    TempDir dir;
    SheetRunSettings settings;
    SheetJob job;
    Recorder rec;
    layout::SheetLayout layout = SmallLayout();
};

TEST_F(SheetRun, PlacesPhotosInCellsWithFramesOnTheBackground) {
    AddPhotos(4);
    settings.continuous = true;
    ASSERT_EQ(job.press(&layout, settings, rec), 2);
    ASSERT_EQ(rec.pages.size(), 1);
    const QImage& page = rec.pages[0];
    // gapX = (300 - 40 - 200) / 1 = 60, gapY = (220 - 40 - 160) / 1 = 20.
    const QPoint origins[] = {{20, 20}, {180, 20}, {20, 120}, {180, 120}};
    for (int i = 0; i < 4; ++i) {
        const QPoint o = origins[i];
        // Frame: the top row and left column of the cell, the right column and bottom row.
        EXPECT_EQ(page.pixel(o.x() + 50, o.y()), 0xff000000u) << i;
        EXPECT_EQ(page.pixel(o.x(), o.y() + 40), 0xff000000u) << i;
        EXPECT_EQ(page.pixel(o.x() + 99, o.y() + 79), 0xff000000u) << i;
        EXPECT_EQ(page.pixel(o.x() + 50, o.y() + 79), 0xff000000u) << i;
        // The photo (200 x 160 fits 100 x 80 exactly) fills the cell inside the frame.
        EXPECT_EQ(page.pixel(o.x() + 50, o.y() + 40), qRgb(10 * i, 0, 200)) << i;
        // Background just outside the cell.
        EXPECT_EQ(page.pixel(o.x() - 1, o.y() + 40), 0xff00ff00u) << i;
    }
    EXPECT_EQ(rec.written, QStringList{"page0001.jpg"});
    EXPECT_EQ(rec.folder, Q(dir / "save/一覧フォルダ/20261207102030"));
    EXPECT_EQ(QImageReader(rec.folder + "/page0001.jpg").size(), QSize(300, 220));
    EXPECT_EQ(rec.messages, QStringList{"シートを作成しました。"});
}

TEST_F(SheetRun, OneColumnAndVerticalOrderAndCentring) {
    layout.photo_col = 1;
    layout.photo_ct = 2;
    layout.horizontal_first = false;
    layout.outerRect = false;
    AddPhotos(2, {100, 40}); // fits 100 x 40: centred vertically, 20 down
    settings.continuous = true;
    job.press(&layout, settings, rec);
    ASSERT_EQ(rec.pages.size(), 1);
    const QImage& page = rec.pages[0];
    EXPECT_EQ(page.pixel(20, 20 + 20), qRgb(0, 0, 200));
    EXPECT_EQ(page.pixel(20, 20 + 19), 0xff00ff00u);
    EXPECT_EQ(page.pixel(20, 120 + 20), qRgb(10, 0, 200)); // second photo below, same column
}

TEST_F(SheetRun, SevenPhotosMakeTwoPagesAndADeletedPhotoIsSkipped) {
    AddPhotos(8);
    QFile::remove(Q(dir / "photos/p03.png"));
    settings.continuous = true;
    job.press(&layout, settings, rec);
    EXPECT_EQ(rec.written, (QStringList{"page0001.jpg", "page0002.jpg"}));
    EXPECT_EQ(rec.messages, QStringList{"シートを作成しました。"});
    // The second page holds photos 6, 7, 8 and frames all four cells.
    const QImage& second = rec.pages[1];
    EXPECT_EQ(second.pixel(70, 60), qRgb(50, 0, 200)); // p06 (index 5) opens the second page
    EXPECT_EQ(second.pixel(230, 160), 0xff00ff00u);    // the empty fourth cell shows background
    EXPECT_EQ(second.pixel(230, 120), 0xff000000u);    // with its frame
    EXPECT_FALSE(job.continuationPending());
}

TEST_F(SheetRun, ThreePressesWriteThreePagesIntoOneFolder) {
    AddPhotos(10);
    for (int press = 1; press <= 3; ++press) {
        job.clock = [press] { return QDateTime(QDate(2026, 12, 7), QTime(10, 0, press)); };
        job.press(&layout, settings, rec);
        EXPECT_EQ(job.continuationPending(), press < 3) << press;
    }
    EXPECT_EQ(PagesIn(Q(dir / "save/一覧フォルダ/20261207100001")),
              (QStringList{"page0001.jpg", "page0002.jpg", "page0003.jpg"}));
    EXPECT_EQ(rec.pages[2].pixel(70, 60), qRgb(80, 0, 200)); // page 3 starts with photo 9
}

TEST_F(SheetRun, AContinuationWhoseFolderVanishedGoesToTheBaseFolder) {
    AddPhotos(6);
    job.press(&layout, settings, rec);
    ASSERT_TRUE(job.continuationPending());
    ASSERT_TRUE(QDir(Q(dir / "save")).removeRecursively());
    job.press(&layout, settings, rec);
    EXPECT_EQ(rec.folder, Q(dir / "save/一覧フォルダ"));
    EXPECT_EQ(PagesIn(rec.folder), QStringList{"page0002.jpg"});
    EXPECT_FALSE(job.continuationPending());
}

TEST_F(SheetRun, EndRowEndsTheJobLikeTheEndOfTheList) {
    AddPhotos(10);
    settings.endRow = QStringLiteral("6");
    job.press(&layout, settings, rec);
    job.press(&layout, settings, rec);
    EXPECT_FALSE(job.continuationPending());
    EXPECT_EQ(rec.written, (QStringList{"page0001.jpg", "page0002.jpg"}));
    EXPECT_EQ(rec.pages[1].pixel(230, 60), qRgb(50, 0, 200)); // photo 6 is the last
    EXPECT_EQ(rec.pages[1].pixel(70, 160), 0xff00ff00u);
}

TEST_F(SheetRun, StartRowRuleAndNumberOffset) {
    AddPhotos(6);
    settings.continuous = true;
    settings.startRow = QStringLiteral("3");
    job.press(&layout, settings, rec);
    EXPECT_EQ(rec.pages[0].pixel(70, 60), qRgb(20, 0, 200));
    // A start row equal to the number of photos starts at the last photo; a start row of 0 or
    // less is ignored.
    const struct {
        const char* start;
        QRgb first;
    } starts[] = {{"6", qRgb(50, 0, 200)},
                  {"1", qRgb(0, 0, 200)},
                  {"0", qRgb(0, 0, 200)},
                  {"-2", qRgb(0, 0, 200)}};
    for (const auto& c : starts) {
        rec.pages.clear();
        settings.startRow = QString::fromLatin1(c.start);
        job.press(&layout, settings, rec);
        ASSERT_FALSE(rec.pages.isEmpty()) << c.start;
        EXPECT_EQ(rec.pages[0].pixel(70, 60), c.first) << c.start;
    }
    // The list ends at the first row without a file name: three photos, so row 3 is the last.
    rec.pages.clear();
    settings.photos[3].fileName.clear();
    settings.startRow = QStringLiteral("3");
    job.press(&layout, settings, rec);
    EXPECT_EQ(rec.pages[0].pixel(70, 60), qRgb(20, 0, 200));

    // The label box of the first photo (padding 24, margin 12) is measured on "1777" for a number
    // of up to four digits: an offset of 10000 gives 10001 and a wider box; 10001 or more counts
    // as no offset.
    layout.disp_numer = true;
    settings.startRow.clear();
    auto boxWidth = [&](const char* offset) {
        settings.numberOffset = QString::fromLatin1(offset);
        rec.pages.clear();
        job.press(&layout, settings, rec);
        int white = 0;
        for (int x = 20; x < 120; ++x)
            white += rec.pages[0].pixel(x, 46) == 0xffffffffu;
        return white;
    };
    const int plain = boxWidth("");
    EXPECT_GT(plain, 24);
    EXPECT_GT(boxWidth("10000"), plain);
    EXPECT_EQ(boxWidth("10001"), plain);
    EXPECT_EQ(boxWidth("99"), plain); // 100 is still measured as four characters
}

TEST_F(SheetRun, OldImagesOfTheOutputFolderGoUnlessKept) {
    AddPhotos(2);
    settings.continuous = true;
    settings.stampFolder = false;
    job.press(&layout, settings, rec);
    const QString folder = rec.folder;
    test::WriteFile((folder + "/old.PNG").toStdString(), "x");
    test::WriteFile((folder + "/notes.txt").toStdString(), "x");
    test::WriteFile((folder + "/sub/keep.jpg").toStdString(), "x");
    job.press(&layout, settings, rec);
    EXPECT_EQ(rec.folder, folder);
    EXPECT_FALSE(QFile::exists(folder + "/old.PNG"));
    EXPECT_TRUE(QFile::exists(folder + "/notes.txt"));
    EXPECT_TRUE(QFile::exists(folder + "/sub/keep.jpg"));
    // With do-not-overwrite nothing is deleted and the existing page keeps its bytes.
    test::WriteFile((folder + "/page0001.jpg").toStdString(), "kept");
    test::WriteFile((folder + "/old.PNG").toStdString(), "x");
    settings.keepExisting = true;
    job.press(&layout, settings, rec);
    EXPECT_EQ(test::ReadFile((folder + "/page0001.jpg").toStdString()), "kept");
    EXPECT_TRUE(QFile::exists(folder + "/old.PNG"));
}

TEST_F(SheetRun, AFailingStartDeletesNothing) {
    AddPhotos(2);
    settings.continuous = true;
    job.press(&layout, settings, rec);
    const QString folder = rec.folder;
    ASSERT_TRUE(QFile::exists(folder + "/page0001.jpg"));
    layout.background_image = Q(dir / "missing.png").toStdString();
    EXPECT_EQ(job.press(&layout, settings, rec), kRenderBackground);
    EXPECT_EQ(rec.messages.last(), "背景画像を読み込めませんでした。\n");
    EXPECT_TRUE(QFile::exists(folder + "/page0001.jpg"));
    layout.background_image.clear();
    layout.photo_ct = 0;
    EXPECT_EQ(job.press(&layout, settings, rec), kRenderStopped);
    EXPECT_EQ(rec.messages.last(), "写真枚数設定が０か無効です。");
    EXPECT_TRUE(QFile::exists(folder + "/page0001.jpg"));
    EXPECT_FALSE(job.busy());
}

TEST_F(SheetRun, AStopMidPageResumesWithThatPagesFirstPhoto) {
    AddPhotos(10);
    job.press(&layout, settings, rec); // page 1: photos 1-4
    rec.stopAfterYields = 2;           // stop while page 2 is being filled
    EXPECT_EQ(job.press(&layout, settings, rec), kRenderStopped);
    EXPECT_TRUE(job.continuationPending());
    EXPECT_EQ(job.resumePhoto(), 4);
    EXPECT_EQ(job.lastPage(), 1);
    rec.pages.clear();
    job.press(&layout, settings, rec);
    ASSERT_EQ(rec.pages.size(), 1);
    EXPECT_EQ(rec.pages[0].pixel(70, 60), qRgb(40, 0, 200)); // photo 5 again
    EXPECT_EQ(rec.written.last(), "page0002.jpg");
    // "中止" while idle resets the continuation.
    job.stop(rec);
    EXPECT_FALSE(job.continuationPending());
}

TEST_F(SheetRun, BackgroundImageOnEveryPageAndTextsStamped) {
    QImage bg(50, 40, QImage::Format_ARGB32);
    bg.fill(0xffff0000);
    ASSERT_TRUE(bg.save(Q(dir / "bg.png")));
    layout.background_image = Q(dir / "bg.png").toStdString();
    layout.title = "T";
    layout.title_font_size = 14;
    layout.disp_page_number = true;
    layout.page_text = "P[$PAGE]";
    AddPhotos(6);
    settings.continuous = true;
    settings.title = QStringLiteral("[$date]");
    job.press(&layout, settings, rec);
    ASSERT_EQ(rec.pages.size(), 2);
    for (const QImage& page : rec.pages) {
        EXPECT_EQ(page.pixel(5, 5), 0xffff0000u);
        EXPECT_EQ(page.pixel(48, 10), 0xffff0000u);
        EXPECT_EQ(page.pixel(10, 38), 0xffff0000u);
        EXPECT_EQ(page.pixel(49, 10), 0xff00ff00u); // the image's last column and row are not drawn
        EXPECT_EQ(page.pixel(10, 39), 0xff00ff00u);
        // Ink of the title at the top centre and of the page number at the top right.
        auto ink = [&](int x0, int x1) {
            int dark = 0;
            for (int y = 0; y < 20; ++y)
                for (int x = x0; x < x1; ++x)
                    dark += qGreen(page.pixel(x, y)) < 100 && qRed(page.pixel(x, y)) < 100;
            return dark;
        };
        EXPECT_GT(ink(130, 170), 5);
        EXPECT_GT(ink(240, 280), 5);
        EXPECT_EQ(ink(60, 110), 0);
    }
}

TEST_F(SheetRun, PreconditionsAndUnmakeableFolder) {
    AddPhotos(1);
    EXPECT_EQ(job.press(nullptr, settings, rec), -1);
    settings.japanese = rec.japanese = false;
    const LocalPath photos = settings.photoFolder, save = settings.saveFolder;
    for (const auto& [photoFolder, saveFolder] :
         {std::pair{LocalPath(), save}, std::pair{photos, LocalPath()}}) {
        settings.photoFolder = photoFolder;
        settings.saveFolder = saveFolder;
        rec.messages.clear();
        EXPECT_EQ(job.press(&layout, settings, rec), -1);
        EXPECT_EQ(rec.messages, QStringList{"Folder is not set."});
        EXPECT_FALSE(job.busy());
    }
    EXPECT_FALSE(QFileInfo::exists(save.text() + "/IndexSheetFolder"));
    settings.photoFolder = photos;
    test::WriteFile(dir / "file", "x");
    settings.saveFolder = LocalPath::FromText(Q(dir / "file"));
    EXPECT_EQ(job.press(&layout, settings, rec), -2);
    EXPECT_EQ(rec.messages.last(),
              "Can not create a folder.\n" + Q(dir / "file/IndexSheetFolder/20261207102030"));
    EXPECT_FALSE(job.busy());
}

TEST_F(SheetRun, AnUnreadablePhotoStopsWithItsMessage) {
    AddPhotos(1);
    test::WriteFile(dir / "photos/p02.png", "not an image");
    settings.photos.append(
        PhotoEntry{2, "p02.png", "", LocalPath::FromText(Q(dir / "photos") + "/")});
    settings.continuous = true;
    EXPECT_EQ(job.press(&layout, settings, rec), kRenderMemoryOrImage);
    EXPECT_EQ(rec.messages.last(),
              "画像読込みエラーです。画像が存在するか、サイズが大きすぎないか確認してください。\n" +
                  Q(dir / "photos/p02.png"));
    EXPECT_TRUE(job.stopRequested());
    EXPECT_TRUE(rec.written.isEmpty());
}

TEST_F(SheetRun, APageThatCannotBeWrittenStopsTheRunNamingTheFile) {
    AddPhotos(6);
    settings.stampFolder = false;
    // A folder in the way of page0001.jpg makes its write fail, even for root.
    const QString base = Q(dir / "save/一覧フォルダ");
    ASSERT_TRUE(QDir().mkpath(base + "/page0001.jpg"));
    EXPECT_EQ(job.press(&layout, settings, rec), kRenderMemoryOrImage);
    EXPECT_EQ(rec.messages.last(), "ページを書き込めませんでした。\n" + base +
                                       "/page0001.jpg\n同じ名前のフォルダがあります。");
    EXPECT_TRUE(job.stopRequested());
    EXPECT_TRUE(rec.written.isEmpty());
    // The next press, once the way is clear, writes that page again from its first photo.
    ASSERT_TRUE(QDir(base + "/page0001.jpg").removeRecursively());
    EXPECT_EQ(job.resumePhoto(), 0);
    job.press(&layout, settings, rec);
    EXPECT_EQ(rec.written, QStringList{"page0001.jpg"});
}

TEST_F(SheetRun, WebLayoutsWriteEachPlacedPhotoAndNoPage) {
    layout.for_web = true;
    layout.web_thumb_width = 40;
    layout.photo_ct = 1;
    AddPhotos(2);
    settings.photos[1].fileName = "p02.png";
    job.press(&layout, settings, rec); // one photo per press: the second press continues
    job.press(&layout, settings, rec);
    const QString web = Q(dir / "save/Ｗｅｂ用フォルダ");
    EXPECT_EQ(QDir(web).entryList(QDir::Files, QDir::Name), (QStringList{"p01.jpg", "p02.jpg"}));
    EXPECT_EQ(QImageReader(web + "/p01.jpg").size(), QSize(40, 32));
    EXPECT_FALSE(QDir(Q(dir / "save/一覧フォルダ")).exists());
}

// No page replaces a listed photo: a photo named like the page to be written stays, and the run
// says why it stopped.
TEST_F(SheetRun, ListedPhotosAreNeverReplacedByPages) {
    const QString base = Q(dir / "save/一覧フォルダ");
    // A listed photo named like the page to be written stays, and the run says why it stopped.
    settings.photos.clear();
    settings.stampFolder = false;
    AddPhotos(2, {200, 160}, base, base);
    ASSERT_TRUE(QFile::rename(base + "/p02.png", base + "/page0001.jpg"));
    settings.photos[1].fileName = "page0001.jpg";
    const std::string photo = test::ReadFile((base + "/page0001.jpg").toStdString());
    EXPECT_EQ(job.press(&layout, settings, rec), kRenderMemoryOrImage);
    EXPECT_TRUE(rec.messages.last().startsWith("ページを書き込めませんでした。\n" + base +
                                               "/page0001.jpg\n"));
    EXPECT_EQ(test::ReadFile((base + "/page0001.jpg").toStdString()), photo);
}

// A run that would place no photo reports it and changes nothing on disk.
TEST_F(SheetRun, ARunWithNothingToPlaceChangesNothing) {
    const QString stamped = Q(dir / "save/一覧フォルダ/20261207102030");
    const struct {
        const char* what;
        int photos;
        const char* start;
        const char* end;
        bool filesGone;
    } cases[] = {
        {"empty list", 0, "", "", false},
        {"end row 0", 3, "", "0", false},
        {"end row -1", 3, "", "-1", false},
        {"start 5, end 3", 6, "5", "3", false},
        {"start row one past the list", 3, "4", "", false},
        {"start row far past the list", 3, "2147483647", "", false},
        {"every listed file gone", 2, "", "", true},
    };
    for (const auto& c : cases) {
        // With an old page in the folder the run would use, and with no folder at all.
        for (bool oldPage : {true, false}) {
            QDir(Q(dir / "save")).removeRecursively();
            if (oldPage)
                test::WriteFile((stamped + "/page0001.jpg").toStdString(), "old");
            settings.photos.clear();
            AddPhotos(c.photos);
            if (c.filesGone)
                QDir(Q(dir / "photos")).removeRecursively();
            settings.startRow = QString::fromLatin1(c.start);
            settings.endRow = QString::fromLatin1(c.end);
            settings.continuous = oldPage;
            rec.messages.clear();
            EXPECT_EQ(job.press(&layout, settings, rec), -1) << c.what;
            EXPECT_EQ(rec.messages, QStringList{"出力する写真がありません。"}) << c.what;
            if (oldPage)
                EXPECT_EQ(test::ReadFile((stamped + "/page0001.jpg").toStdString()), "old")
                    << c.what;
            else
                EXPECT_FALSE(QDir(Q(dir / "save")).exists()) << c.what;
            EXPECT_FALSE(job.busy()) << c.what;
        }
    }
    settings.japanese = rec.japanese = false;
    rec.messages.clear();
    EXPECT_EQ(job.press(&layout, settings, rec), -1);
    EXPECT_EQ(rec.messages, QStringList{"There are no photos to output."});
}

TEST_F(SheetRun, SameNamedWebPhotosGetNumberedFilesInListOrder) {
    layout.for_web = true;
    layout.web_thumb_width = 40;
    settings.continuous = true;
    // a/IMG.jpg, a/IMG.png and b/IMG.jpg, then one whose own name is taken by a numbered file.
    const QString files[] = {"a/IMG.jpg", "a/IMG.png", "b/IMG.jpg", "a/img_2.png"};
    settings.photos.clear();
    QDir().mkpath(Q(dir / "a"));
    QDir().mkpath(Q(dir / "b"));
    for (const QString& file : files) {
        QImage img(200, 160, QImage::Format_ARGB32);
        img.fill(0xff123456);
        ASSERT_TRUE(img.save(Q(dir.path()) + "/" + file, file.endsWith("png") ? "PNG" : "JPEG"));
        const QFileInfo info(Q(dir.path()) + "/" + file);
        settings.photos.append(PhotoEntry{static_cast<int>(settings.photos.size()) + 1,
                                          info.fileName(), "",
                                          LocalPath::FromText(info.path() + "/")});
    }
    job.press(&layout, settings, rec);
    EXPECT_EQ(QDir(Q(dir / "save/Ｗｅｂ用フォルダ")).entryList(QDir::Files, QDir::Name),
              (QStringList{"IMG.jpg", "IMG_2.jpg", "IMG_3.jpg", "img_2_2.jpg"}));
}

// One-photo layouts with "プレビューで調整する": each existing photo is offered for adjustment
// before it is placed; an accepted selection replaces the trimming, a cancel ends the job.
TEST_F(SheetRun, AdjustedPhotosOfOnePhotoLayouts) {
    layout.outerRect = false;
    AddPhotos(4);
    // Every photo in quadrants: red, green (top), blue, grey (bottom).
    for (const PhotoEntry& row : settings.photos) {
        QImage photo(200, 160, QImage::Format_ARGB32);
        QPainter p(&photo);
        p.fillRect(0, 0, 100, 80, Qt::red);
        p.fillRect(100, 0, 100, 80, Qt::green);
        p.fillRect(0, 80, 100, 80, Qt::blue);
        p.fillRect(100, 80, 100, 80, Qt::gray);
        p.end();
        ASSERT_TRUE(photo.save(row.path().text()));
    }
    QFile::remove(settings.photos[1].path().text()); // a photo gone is not offered
    settings.continuous = true;
    settings.adjustInPreview = true;
    PhotoAdjustment greenQuadrant{true, 100, 0, 100, 80, 0, false, 0, 0, 0};
    PhotoAdjustment cancel;
    const struct {
        const char* what;
        int photosPerPage;
        std::function<std::optional<PhotoAdjustment>(int)> adjust;
        int code, asked;
        QStringList pages;
        QRgb cellCentre; // of the first page
    } cases[] = {
        {"nobody to ask: photos as usual",
         1,
         [](int) { return std::nullopt; },
         4,
         3,
         {"page0001.jpg", "page0002.jpg", "page0003.jpg"},
         qRgb(255, 0, 0)},
        {"the top-right quadrant chosen for every photo",
         1,
         [&](int) { return greenQuadrant; },
         4,
         3,
         {"page0001.jpg", "page0002.jpg", "page0003.jpg"},
         qRgb(0, 255, 0)},
        {"cancelled at the third photo offered: two pages",
         1,
         [&](int asked) { return asked < 2 ? greenQuadrant : cancel; },
         kRenderStopped,
         3,
         {"page0001.jpg", "page0002.jpg"},
         qRgb(0, 255, 0)},
        {"four photos a page are never offered",
         4,
         [&](int) { return cancel; },
         2,
         0,
         {"page0001.jpg"},
         qRgb(255, 0, 0)},
    };
    for (const auto& c : cases) {
        const bool one = c.photosPerPage == 1;
        layout.photo_ct = c.photosPerPage;
        layout.photo_col = layout.photo_row = one ? 1 : 2;
        layout.width = one ? 140 : 300;
        layout.height = one ? 120 : 220;
        rec = Recorder();
        rec.job = &job;
        rec.adjust = c.adjust;
        EXPECT_EQ(job.press(&layout, settings, rec), c.code) << c.what;
        EXPECT_EQ(rec.adjustAsked, c.asked) << c.what;
        EXPECT_EQ(rec.written, c.pages) << c.what;
        ASSERT_FALSE(rec.pages.isEmpty()) << c.what;
        // The cell's top-left quarter: the photo's top-left quadrant, or all green when chosen.
        EXPECT_EQ(rec.pages[0].pixel(40, 35), c.cellCentre) << c.what;
        if (c.code == kRenderStopped) {
            EXPECT_TRUE(rec.messages.isEmpty()) << c.what;
        }
    }
}

} // namespace
