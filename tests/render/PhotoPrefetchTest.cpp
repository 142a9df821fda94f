// Photos prepared ahead on worker threads change nothing a run shows or writes: the same photos
// placed in the same order, the same pages, messages and continuation, whatever happens between
// photos (a stop, a photo deleted or replaced, the end row).
#include "layout/SheetLayout.h"
#include "render/SheetJob.h"

#include "TestSupport.h"
#include "WordingObserver.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// Everything a run reports, in order; something may happen at a given yield.
struct EventLog : test::WordingObserver {
    QStringList events;
    SheetJob* job = nullptr;
    int yields = 0;
    std::function<void(int)> atYield;
    void photoPlaced(const QImage& photo) override {
        // Each photo has a colour of its own: its red tells which one it is.
        const QRgb c = photo.pixel(photo.width() / 2, photo.height() / 2);
        events << QStringLiteral("photo %1").arg((qRed(c) + 10) / 20);
    }
    void pageWritten(const LocalPath& pathPath) override {
        const QString path = pathPath.text();
        events << QStringLiteral("page ") + QFileInfo(path).fileName();
    }
    void message(const QString& text) override { events << QStringLiteral("message ") + text; }
    void yield() override {
        if (atYield)
            atYield(yields);
        ++yields;
    }
};

// Opaque JPEG photos whose red is 20 times their number; 4 per page.
void WritePhoto(const QString& path, int number) {
    QImage img(400, 300, QImage::Format_RGB32);
    img.fill(qRgb(20 * number, 90, 160));
    ASSERT_TRUE(img.save(path, "JPEG", 95));
}

TEST(PhotoPrefetch, RunsWithWorkersShowAndWriteWhatRunsWithoutThemDo) {
    const struct {
        const char* what;
        bool continuous;
        QString endRow;
        std::function<void(int yield, const QString& folder, SheetJob& job, EventLog& log)> event;
        int placed = 10; // photos placed: a stop after photo k places nothing after it
        int64_t workerByteLimit = PhotoDecoding{}.workerByteLimit;
    } cases[] = {
        {"no event", true, "", {}},
        {"stop before the 2nd photo", true, "",
         [](int y, auto&, SheetJob& job, EventLog& log) {
             if (y == 1)
                 job.stop(log);
         },
         1},
        {"stop before the 6th photo", true, "",
         [](int y, auto&, SheetJob& job, EventLog& log) {
             if (y == 6) // 5 photo yields and one page-end yield came before
                 job.stop(log);
         },
         5},
        {"stop at the end of the 2nd page", true, "",
         [](int y, auto&, SheetJob& job, EventLog& log) {
             if (y == 9)
                 job.stop(log);
         },
         8},
        // Workers have had the time to prepare photos 5 and 6 when they change.
        {"photo 5 deleted before photo 4", true, "",
         [](int y, const QString& folder, SheetJob&, EventLog&) {
             if (y == 3) {
                 std::this_thread::sleep_for(std::chrono::milliseconds(200));
                 QFile::remove(folder + "/p05.jpg");
             }
         },
         9},
        {"photo 6 replaced before photo 4", true, "",
         [](int y, const QString& folder, SheetJob&, EventLog&) {
             if (y == 3) {
                 std::this_thread::sleep_for(std::chrono::milliseconds(200));
                 QFile::remove(folder + "/p06.jpg");
                 WritePhoto(folder + "/p06.jpg", 12);
                 QFile file(folder + "/p06.jpg"); // surely another time than the first photo's
                 file.open(QIODevice::ReadWrite);
                 file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                  QFileDevice::FileModificationTime);
             }
         }},
        {"end row 6", true, "6", {}, 6},
        {"one page per press", false, "", {}, 4},
        {"every photo too large for the workers", true, "", {}, 10, 1},
        {"photo 5 deleted, photos too large for the workers", true, "",
         [](int y, const QString& folder, SheetJob&, EventLog&) {
             if (y == 3)
                 QFile::remove(folder + "/p05.jpg");
         },
         9, 1},
    };
    for (const auto& c : cases) {
        QStringList logs[2];
        for (const int workers : {0, 2}) {
            TempDir dir;
            const QString folder = Q(dir / "photos");
            QDir().mkpath(folder);
            SheetRunSettings settings;
            for (int i = 1; i <= 10; ++i) {
                const QString name = QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
                WritePhoto(folder + "/" + name, i);
                settings.photos.append(PhotoEntry{i, name, "", LocalPath::FromText(folder + "/")});
            }
            settings.photoFolder = LocalPath::FromText(folder);
            settings.saveFolder = LocalPath::FromText(Q(dir / "save"));
            settings.continuous = c.continuous;
            settings.endRow = c.endRow;
            layout::SheetLayout layout = layout::DefaultSheetLayout(true);
            layout.width = 300, layout.height = 220;
            layout.photo_width = 100, layout.photo_height = 80;
            layout.left_margin = layout.right_margin = layout.top_margin = 20;
            layout.bottom_margin = 20;
            layout.disp_numer = layout.disp_filename = layout.disp_date = false;

            SheetJob job;
            job.decoding.workers = workers;
            job.decoding.workerByteLimit = c.workerByteLimit;
            EventLog log;
            log.atYield = [&](int y) {
                if (c.event)
                    c.event(y, folder, job, log);
            };
            const int code = job.press(&layout, settings, log);
            log.events << QStringLiteral("code %1 resume %2 page %3")
                              .arg(code)
                              .arg(job.resumePhoto())
                              .arg(job.lastPage());
            logs[workers > 0] = log.events;
        }
        EXPECT_EQ(logs[1].join('\n').toStdString(), logs[0].join('\n').toStdString()) << c.what;
        EXPECT_EQ(logs[1].filter(QRegularExpression("^photo ")).size(), c.placed) << c.what;
    }
}

} // namespace
