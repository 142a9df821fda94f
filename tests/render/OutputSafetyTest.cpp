// A run touches nothing but its own pages: not the photos of the folders being listed (listed or
// not, through whatever path), not what links in or in place of the output folder lead to, not
// the last run's pages when it fails early, and not a folder another run is writing into.
#include "render/OutputFolder.h"
#include "render/PageRenderer.h"
#include "render/SheetJob.h"

#include "RunRecorder.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <sys/mount.h>
#include <unistd.h>

using namespace quorvane;
namespace fs = std::filesystem;

namespace {

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

using Recorder = test::RunRecorder; // English messages

// Every file and link below the folder with its contents (or its target), links not followed and
// the folder "mounted" (another view of files listed already) left out.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const fs::path relative = it->path().lexically_relative(root);
        if (relative == "mounted") {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_symlink())
            files[relative.string()] = "link to " + fs::read_symlink(it->path()).string();
        else if (it->is_regular_file())
            files[relative.string()] = test::ReadFile(it->path());
    }
    return files;
}

// A bind mount of a folder at another place (root only); unmounted at the end.
struct BindMount {
    BindMount(const fs::path& from, const fs::path& to) : path(to) {
        fs::create_directories(to);
        mounted = ::mount(from.c_str(), to.c_str(), nullptr, MS_BIND, nullptr) == 0;
    }
    ~BindMount() {
        if (mounted)
            ::umount2(path.c_str(), MNT_DETACH);
    }
    fs::path path;
    bool mounted = false;
};

class OutputSafety : public ::testing::Test {
  public:
    void SetUp() override {
        layout = layout::DefaultSheetLayout(false);
        layout.width = 300, layout.height = 220, layout.photo_width = 100, layout.photo_height = 80;
        layout.photo_col = layout.photo_row = 2, layout.photo_ct = 4;
        layout.disp_numer = false;
        settings.japanese = false;
        settings.continuous = true;
        settings.stampFolder = false;
        settings.fullResolution = true;
        settings.saveFolder = LocalPath::FromText(Q(dir / "save"));
        job.clock = [] { return QDateTime(QDate(2026, 12, 8), QTime(9, 0, 0)); };
        rec.job = &job;
    }
    // Photos in `folder`, listed from `listedAs` (the same folder, or another way to it).
    void AddPhotos(int count, const fs::path& folder, const QString& listedAs = {}) {
        fs::create_directories(folder);
        const QString listed = listedAs.isEmpty() ? Q(folder) : listedAs;
        settings.photoFolder = LocalPath::FromText(listed);
        for (int i = 1; i <= count; ++i) {
            const QString name = QStringLiteral("p%1.png").arg(i);
            QImage photo(200, 160, QImage::Format_RGB32);
            photo.fill(qRgb(30 * i, 90, 200));
            ASSERT_TRUE(photo.save(Q(folder / name.toStdString())));
            settings.photos.append(
                PhotoEntry{i, name, QString(), LocalPath::FromText(listed + "/")});
        }
    }
    fs::path Output() const { return dir / "save/IndexSheetFolder"; }

    test::TempDir dir;
    SheetRunSettings settings;
    SheetJob job;
    Recorder rec;
    layout::SheetLayout layout;
};

// What the old-page deletion and the page writes may touch, scenario by scenario: every file
// below the test folder is compared before and after, and only the run's own pages and the old
// pages it was meant to remove may differ.
TEST_F(OutputSafety, NothingButTheRunsOwnPagesAndOldPagesChanges) {
    const bool root = ::geteuid() == 0;
    std::unique_ptr<BindMount> bind;
    const struct {
        const char* what;
        std::function<bool(OutputSafety&)> arrange; // false: skipped on this machine
        int code;
        std::vector<std::string> removed; // below the test folder
        const char* message;              // the last message, before the output folder's path
    } cases[] = {
        {"the output folder is the photo folder, with photos past the list's end",
         [](OutputSafety& t) {
             t.AddPhotos(3, t.Output());
             test::WriteFile(t.Output() / "late.jpg", "photo past the 10000th row");
             test::WriteFile(t.Output() / "old.PNG", "old page");
             return true;
         },
         2,
         {},
         nullptr},
        {"the photo folder listed through a link to the output folder",
         [](OutputSafety& t) {
             t.AddPhotos(3, t.Output(), Q(t.dir / "alias"));
             fs::create_directory_symlink(t.Output(), t.dir / "alias");
             test::WriteFile(t.Output() / "late.jpg", "photo past the 10000th row");
             return true;
         },
         2,
         {},
         nullptr},
        {"the photo folder listed through a bind mount of the output folder",
         [&](OutputSafety& t) {
             t.AddPhotos(3, t.Output(), Q(t.dir / "mounted"));
             test::WriteFile(t.Output() / "late.jpg", "photo past the 10000th row");
             if (!root)
                 return false;
             bind = std::make_unique<BindMount>(t.Output(), t.dir / "mounted");
             return bind->mounted;
         },
         2,
         {},
         nullptr},
        {"the output folder below a photo folder whose subfolders are listed",
         [](OutputSafety& t) {
             t.AddPhotos(3, t.dir / "save");
             t.settings.subfolders = true;
             test::WriteFile(t.Output() / "old.PNG", "a photo of a subfolder");
             return true;
         },
         2,
         {},
         nullptr},
        {"the output folder below a photo folder listed alone",
         [](OutputSafety& t) {
             t.AddPhotos(3, t.dir / "save");
             test::WriteFile(t.Output() / "old.PNG", "old page");
             return true;
         },
         2,
         {"save/IndexSheetFolder/old.PNG"},
         nullptr},
        {"a hard link of a listed photo among the old pages",
         [](OutputSafety& t) {
             t.AddPhotos(3, t.dir / "photos");
             fs::create_directories(t.Output());
             fs::create_hard_link(t.dir / "photos/p1.png", t.Output() / "same.png");
             test::WriteFile(t.Output() / "old.PNG", "old page");
             return true;
         },
         2,
         {"save/IndexSheetFolder/old.PNG"},
         nullptr},
        {"a link planted as the first page",
         [](OutputSafety& t) {
             t.AddPhotos(3, t.dir / "photos");
             fs::create_directories(t.Output());
             test::WriteFile(t.dir / "other/customerB.jpg", "another customer's photo");
             fs::create_symlink("../../other/customerB.jpg", t.Output() / "page0001.jpg");
             return true;
         },
         2,
         {},
         nullptr},
        {"the output folder is a link to another folder",
         [](OutputSafety& t) {
             t.AddPhotos(3, t.dir / "photos");
             test::WriteFile(t.dir / "other/page0001.jpg", "another customer's page");
             test::WriteFile(t.dir / "other/customerB.jpg", "another customer's photo");
             fs::create_directories(t.dir / "save");
             fs::create_directory_symlink(t.dir / "other", t.Output());
             return true;
         },
         -2,
         {},
         "The output folder is a link, so nothing is written into it.\n"},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir / "save");
        fs::remove_all(dir / "other");
        fs::remove_all(dir / "photos");
        fs::remove(dir / "alias");
        settings = SheetRunSettings();
        SetUp();
        if (!c.arrange(*this)) {
            std::cout << "[ SKIPPED  ] " << c.what << ": needs root and a bind mount\n";
            bind.reset();
            continue;
        }
        auto before = Snapshot(dir.path());
        rec = Recorder();
        rec.job = &job;
        EXPECT_EQ(job.press(&layout, settings, rec), c.code) << c.what;
        bind.reset();
        auto after = Snapshot(dir.path());
        // The run's own page is a new regular file; nothing else was added.
        for (const QString& page : rec.writtenPaths) {
            const fs::path written = fs::path(page.toStdString()).lexically_relative(dir.path());
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(page.toStdString()))) << c.what;
            after.erase(written.string());
            before.erase(written.string());
        }
        for (const std::string& gone : c.removed) {
            EXPECT_EQ(before.erase(gone), 1u) << c.what << ": " << gone;
            EXPECT_EQ(after.count(gone), 0u) << c.what << ": " << gone << " stays";
        }
        EXPECT_EQ(after, before) << c.what;
        if (c.message)
            EXPECT_EQ(rec.messages.last(), c.message + Q(Output())) << c.what;
        else
            EXPECT_EQ(rec.messages, QStringList{"Created the sheet."}) << c.what;
    }
}

// The last run's pages stay until a new run has its first page ready: a run that fails or is
// stopped before that leaves them as they were.
TEST_F(OutputSafety, OldPagesStayWhenTheRunEndsBeforeItsFirstPage) {
    const struct {
        const char* what;
        std::function<void(OutputSafety&)> arrange;
        int code;
    } cases[] = {
        {"the first photo is not a photo",
         [](OutputSafety& t) { test::WriteFile(t.dir / "photos/p1.png", "text, not a photo"); },
         kRenderMemoryOrImage},
        {"stopped while the first page is being filled",
         [](OutputSafety& t) { t.rec.stopAfterYields = 1; }, kRenderStopped},
        {"stopped as the first page is closed", [](OutputSafety& t) { t.rec.stopAfterYields = 3; },
         kRenderStopped},
        {"stopped while the old pages are being removed",
         [](OutputSafety& t) { t.rec.stopAfterYields = 4; }, kRenderStopped},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir / "save");
        settings.photos.clear();
        AddPhotos(3, dir / "photos");
        test::WriteFile(Output() / "page0001.jpg", "last run's first page");
        test::WriteFile(Output() / "page0002.jpg", "last run's second page");
        rec = Recorder();
        rec.job = &job;
        c.arrange(*this);
        EXPECT_EQ(job.press(&layout, settings, rec), c.code) << c.what;
        EXPECT_EQ(test::ReadFile(Output() / "page0001.jpg"), "last run's first page") << c.what;
        EXPECT_EQ(test::ReadFile(Output() / "page0002.jpg"), "last run's second page") << c.what;
    }
    // A run that gets as far as its first page replaces them.
    fs::remove_all(dir / "photos");
    settings.photos.clear();
    AddPhotos(3, dir / "photos");
    rec = Recorder();
    EXPECT_EQ(job.press(&layout, settings, rec), 2);
    EXPECT_FALSE(fs::exists(Output() / "page0002.jpg"));
}

// One run at a time writes into a folder; a fresh stamped folder is never shared.
TEST_F(OutputSafety, RunsIntoOneFolderExcludeEachOther) {
    AddPhotos(3, dir / "photos");
    {
        // Another run holds the folder.
        OutputFolder other(LocalPath::FromText(Q(dir / "save")), {"IndexSheetFolder"}, false);
        ASSERT_TRUE(other.isOpen());
        test::WriteFile(Output() / "page0001.jpg", "the other run's page");
        EXPECT_EQ(job.press(&layout, settings, rec), -2);
        EXPECT_EQ(rec.messages.last(),
                  "Another sheet run is writing into this folder.\n" + Q(Output()));
        EXPECT_EQ(test::ReadFile(Output() / "page0001.jpg"), "the other run's page");
        EXPECT_FALSE(job.busy());
    }
    // A killed run's lock file and temporary file: the lock no longer holds, the file goes.
    test::WriteFile(Output() / ".quorvane.lock", "");
    test::WriteFile(Output() / ".quorvane-Ab12Cd", "half a page");
    test::WriteFile(Output() / ".quorvane-notes", "not ours: the name is not a temporary one");
    rec.messages.clear();
    EXPECT_EQ(job.press(&layout, settings, rec), 2);
    EXPECT_EQ(rec.messages, QStringList{"Created the sheet."});
    EXPECT_EQ(QDir(Q(Output())).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{".quorvane-notes", "page0001.jpg"}));

    // Fresh stamped runs of one second each get a folder of their own.
    settings.stampFolder = true;
    QStringList folders;
    for (int run = 0; run < 3; ++run) {
        EXPECT_EQ(job.press(&layout, settings, rec), 2);
        folders << QFileInfo(rec.folder).fileName();
    }
    EXPECT_EQ(folders, (QStringList{"20261208090000", "20261208090000-2", "20261208090000-3"}));
}

// An old page that cannot be removed (a file mounted over it: root only) is named, and the run
// goes on and writes its pages.
TEST_F(OutputSafety, AnOldPageThatStaysIsNamedAndTheRunGoesOn) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a file over an old page needs root";
    AddPhotos(3, dir / "photos");
    test::WriteFile(Output() / "old.jpg", "old page");
    test::WriteFile(dir / "other.jpg", "mounted over it");
    if (::mount((dir / "other.jpg").c_str(), (Output() / "old.jpg").c_str(), nullptr, MS_BIND,
                nullptr) != 0)
        GTEST_SKIP() << "this machine refused the mount";
    const int code = job.press(&layout, settings, rec);
    ::umount2((Output() / "old.jpg").c_str(), MNT_DETACH);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(rec.messages, (QStringList{"Failed to delete the file.\n" + Q(Output() / "old.jpg"),
                                         "Created the sheet."}));
    EXPECT_EQ(test::ReadFile(Output() / "old.jpg"), "old page");
    EXPECT_TRUE(fs::exists(Output() / "page0001.jpg"));
}

} // namespace
