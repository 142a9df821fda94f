// Photos whose decode would take too much memory or too long: refused from their header before
// anything is decoded; a stop asked for during a decode ends it and the run, without a message;
// a background image that is a named pipe is refused at once instead of blocking the run.
#include "render/PageRenderer.h"
#include "render/PhotoSource.h"
#include "render/SheetJob.h"

#include "HostileJpeg.h"
#include "RunRecorder.h"
#include "TestPaths.h"
#include "TestSupport.h"

#include <QImage>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

using Recorder = test::RunRecorder; // English messages

layout::SheetLayout SmallLayout() {
    layout::SheetLayout l = layout::DefaultSheetLayout(false);
    l.width = 300, l.height = 220;
    l.photo_width = 100, l.photo_height = 80;
    l.left_margin = l.right_margin = l.top_margin = l.bottom_margin = 20;
    l.disp_numer = l.disp_filename = l.disp_date = false;
    return l;
}

SheetRunSettings Settings(const TempDir& dir, const QStringList& names) {
    SheetRunSettings s;
    for (const QString& name : names)
        s.photos.append(PhotoEntry{static_cast<int>(s.photos.size()) + 1, name, "",
                                   LocalPath::FromText(Q(dir.path()) + "/")});
    s.photoFolder = LocalPath::FromText(Q(dir.path()));
    s.saveFolder = LocalPath::FromText(Q(dir / "save"));
    s.japanese = false;
    s.continuous = true;
    return s;
}

TEST(DecodeLimits, HeadersNeedingTooMuchAreRefusedBeforeDecoding) {
    const struct {
        const char* what;
        std::string bytes;
        bool read; // the header is valid: the photo may be decoded, at least reduced
    } cases[] = {
        // 13000 x 13000 is 676 MB at 4 bytes a pixel; its coefficients take 1352 MB.
        {"four-colour progressive 13000 x 13000", test::JpegHeaders(13000, 13000, 4, true), false},
        {"four-colour baseline 13000 x 13000 (a few rows of blocks)",
         test::JpegHeaders(13000, 13000, 4, false), true},
        {"grey progressive 16384 x 16384 (537 MB of coefficients)",
         test::JpegHeaders(16384, 16384, 1, true), true},
        {"three colours progressive 12000 x 12000 (864 MB of coefficients)",
         test::JpegHeaders(12000, 12000, 3, true), true},
        {"500 scans", test::ProgressiveJpeg(64, 64, 500), true},
        {"501 scans", test::ProgressiveJpeg(64, 64, 501), false},
    };
    TempDir dir;
    for (const auto& c : cases) {
        test::WriteFile(dir / "photo.jpg", c.bytes);
        const PhotoHeader header = ReadPhotoHeader(test::P(dir / "photo.jpg"));
        EXPECT_EQ(header.upright.isValid(), c.read) << c.what;
    }
}

TEST(DecodeLimits, AStopAskedForDuringADecodeEndsTheRunWithoutAMessage) {
    // 500 scans over 2000 x 2000: each scan is read on its own, so the check is asked at least
    // 500 times a decode, and the decode takes a second or more when nothing stops it.
    const std::string slow = test::ProgressiveJpeg(2000, 2000, 500);
    const struct {
        const char* what;
        int workers;
        QStringList photos;
        bool slowBackground;
    } cases[] = {
        {"a photo decoded by the run", 0, {"a.jpg"}, false},
        {"photos decoded by workers", 2, {"a.jpg", "b.jpg", "c.jpg"}, false},
        {"the background image", 0, {"small.png"}, true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            test::WriteFile(dir / name, slow);
        QImage small(40, 30, QImage::Format_RGB32);
        small.fill(Qt::darkBlue);
        ASSERT_TRUE(small.save(Q(dir / "small.png")));
        layout::SheetLayout layout = SmallLayout();
        if (c.slowBackground)
            layout.background_image = (dir / "a.jpg").string();

        SheetJob job;
        job.decoding.workers = c.workers;
        std::atomic<int> asked{0};
        job.decoding.cancelled = [&asked] { return ++asked > 40; };
        Recorder rec;
        EXPECT_EQ(job.press(&layout, Settings(dir, c.photos), rec), kRenderStopped) << c.what;
        EXPECT_GT(asked.load(), 40) << c.what;
        EXPECT_EQ(rec.messages, QStringList()) << c.what;
        EXPECT_EQ(rec.written, QStringList()) << c.what;
    }
}

TEST(DecodeLimits, ABackgroundThatIsANamedPipeIsRefusedWithoutWaiting) {
    TempDir dir;
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkBlue);
    ASSERT_TRUE(photo.save(Q(dir / "a.png")));
    ASSERT_EQ(::mkfifo((dir / "background.jpg").c_str(), 0600), 0);
    layout::SheetLayout layout = SmallLayout();
    layout.background_image = (dir / "background.jpg").string();

    // Once the run has had a second, a writer opening the pipe finds a reader only if the run is
    // stuck opening it; opening it then also sets the run free.
    std::atomic<bool> done{false}, waiting{false};
    std::thread writer([&] {
        for (int i = 0; i < 20 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const int fd = ::open((dir / "background.jpg").c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            waiting = !done;
            ::close(fd);
        }
    });
    SheetJob job;
    Recorder rec;
    const int code = job.press(&layout, Settings(dir, {"a.png"}), rec);
    done = true;
    writer.join();
    EXPECT_FALSE(waiting);
    EXPECT_EQ(code, kRenderBackground);
    EXPECT_EQ(rec.messages, QStringList{"Could not load background image.\n"});
}

} // namespace
