// The disk fails under a run: a full disk, a read-only folder, a folder that vanishes. Each stops
// the run with the page's message and the reason, leaves no half-written file and keeps what was
// written before.
#include "render/PageRenderer.h"
#include "render/SheetJob.h"

#include "RunRecorder.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

using namespace quorvane;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// A small file system of its own, mounted for the test (root only); unmounted at the end.
struct SmallDisk {
    explicit SmallDisk(const QString& where, const char* options) : path(where.toStdString()) {
        QDir().mkpath(where);
        mounted = ::mount("tmpfs", path.c_str(), "tmpfs", 0, options) == 0;
    }
    ~SmallDisk() {
        if (mounted)
            ::umount2(path.c_str(), MNT_DETACH);
    }
    void makeReadOnly() {
        mounted = mounted &&
                  ::mount("tmpfs", path.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    std::string path;
    bool mounted = false;
};

using Recorder = test::RunRecorder; // English messages

} // namespace

TEST(FileSystemFaults, TheRunStopsNamingThePageAndTheReason) {
    test::TempDir dir;
    QDir().mkpath(Q(dir / "photos"));
    SheetRunSettings settings;
    settings.photoFolder = LocalPath::FromText(Q(dir / "photos"));
    settings.japanese = false;
    settings.continuous = true;
    settings.stampFolder = false;
    settings.fullResolution = true;
    for (int i = 1; i <= 8; ++i) {
        QImage photo(200, 160, QImage::Format_RGB32);
        photo.fill(qRgb(20 * i, 100, 200));
        // Noise keeps the pages from compressing to nothing on the small disk.
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 200; ++x)
                photo.setPixel(x, y, qRgb((x * y * i) & 255, (x + 7 * y) & 255, (i * x) & 255));
        const QString name = QStringLiteral("p%1.png").arg(i);
        ASSERT_TRUE(photo.save(Q(dir / "photos") + "/" + name));
        settings.photos.append(
            PhotoEntry{i, name, "", LocalPath::FromText(Q(dir / "photos") + "/")});
    }
    layout::SheetLayout layout = layout::DefaultSheetLayout(false);
    layout.width = 600, layout.height = 500, layout.photo_width = 250, layout.photo_height = 200;
    layout.disp_numer = false;

    const bool root = ::geteuid() == 0;
    std::vector<std::unique_ptr<SmallDisk>> disks; // unmounted before the folder goes
    const struct {
        const char* what;
        bool needsRoot;
        std::function<QString(Recorder&)> arrange; // returns the save folder
        const char* reason;
        int pagesKept;
    } cases[] = {
        {"a disk too small for the second page", true,
         [&](Recorder&) {
             auto& disk =
                 disks.emplace_back(std::make_unique<SmallDisk>(Q(dir / "full"), "size=64k"));
             return disk->mounted ? Q(dir / "full") : QString();
         },
         "The disk is full.", -1},
        {"a read-only disk", true,
         [&](Recorder&) {
             auto& disk = disks.emplace_back(std::make_unique<SmallDisk>(Q(dir / "ro"), "size=1m"));
             QDir().mkpath(Q(dir / "ro/IndexSheetFolder"));
             disk->makeReadOnly();
             return disk->mounted ? Q(dir / "ro") : QString();
         },
         "Writing is not permitted.", 0},
        {"the output folder removed after the first page", false,
         [&](Recorder& rec) {
             rec.onPage = [](const QString& page) {
                 QDir(QFileInfo(page).path()).removeRecursively();
             };
             return Q(dir / "vanishing");
         },
         "The folder does not exist.", 0},
    };
    for (const auto& c : cases) {
        if (c.needsRoot && !root) {
            std::cout << "[ SKIPPED  ] " << c.what << ": mounting a small disk needs root\n";
            continue;
        }
        Recorder rec;
        settings.saveFolder = LocalPath::FromText(c.arrange(rec));
        if (settings.saveFolder.isEmpty()) {
            std::cout << "[ SKIPPED  ] " << c.what << ": this machine refused the mount\n";
            continue;
        }
        SheetJob job;
        EXPECT_EQ(job.press(&layout, settings, rec), kRenderMemoryOrImage) << c.what;
        ASSERT_FALSE(rec.messages.isEmpty()) << c.what;
        const QString folder = settings.saveFolder.text() + "/IndexSheetFolder";
        EXPECT_TRUE(
            rec.messages.last().startsWith("Could not write the page.\n" + folder + "/page"))
            << c.what << ": " << rec.messages.last().toStdString();
        EXPECT_TRUE(rec.messages.last().endsWith(QString("\n") + c.reason))
            << c.what << ": " << rec.messages.last().toStdString();
        // No half-written page or temporary file is left; pages written before stay whole.
        const QStringList left =
            QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        if (c.pagesKept >= 0) {
            EXPECT_EQ(left.size(), c.pagesKept) << c.what;
        }
        for (const QString& name : left) {
            EXPECT_TRUE(name.startsWith("page")) << c.what << ": " << name.toStdString();
            EXPECT_FALSE(QImage(folder + "/" + name).isNull()) << c.what;
        }
        for (const QString& name : rec.written)
            EXPECT_TRUE(left.contains(name) || c.pagesKept == 0) << c.what;
    }
}
