// quorvane-cli sheets as a script meets it on a shop's disk: photos past the list's end, start
// rows at and past the end, a folder another run is writing into, an output folder that is a
// link. Nothing but the run's own pages changes, and the exit code tells the truth.
#include "render/OutputFolder.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using quorvane::test::RunCli;
namespace fs = std::filesystem;

namespace {

std::string SmallPng() {
    QImage photo(16, 12, QImage::Format_RGB32);
    photo.fill(qRgb(40, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::string Layout() {
    return (quorvane::test::SourceDir() / "initdata/CustomSize0001.ini").string();
}

size_t FilesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

} // namespace

// The list stops at 10000 rows; the photos past it are still the customer's and stay, also when
// the photo folder is the output folder.
TEST(SheetsSafety, PhotosPastTheListsEndAreNotOldPages) {
    quorvane::test::TempDir dir;
    const fs::path photos = dir / "W/IndexSheetFolder";
    fs::create_directories(photos);
    const std::string png = SmallPng();
    constexpr int kPhotos = 10010;
    for (int i = 0; i < kPhotos; ++i)
        std::ofstream(photos / ("p" + std::to_string(100000 + i) + ".png"), std::ios::binary)
            << png;
    const auto run = RunCli({"sheets", "--source", photos.string(), "--dest", (dir / "W").string(),
                             "--layout", Layout(), "--no-stamp-folder", "--end", "4", "--en"},
                            dir / "config");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "Since it reached the maximum number of sheets, it was interrupted.\n"
                       "Created the sheet.\n");
    EXPECT_EQ(FilesIn(photos), size_t{kPhotos + 1}); // every photo and the page
    EXPECT_TRUE(fs::exists(photos / "p110009.png"));
    EXPECT_TRUE(fs::exists(photos / "page0001.jpg"));
}

TEST(SheetsSafety, StartRowsAtAndPastTheEndOfTheList) {
    quorvane::test::TempDir dir;
    const std::string examples = (quorvane::test::SourceDir() / "examples/photos").string();
    const struct {
        const char* start;
        int exitCode;
        const char* err;
    } cases[] = {
        {"6", 0, "Created the sheet.\n"}, // the sixth and last photo
        {"7", 1, "There are no photos to output.\n"},
        {"2147483647", 1, "There are no photos to output.\n"},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir / "out");
        const auto run =
            RunCli({"sheets", "--source", examples, "--dest", (dir / "out").string(), "--layout",
                    Layout(), "--start", c.start, "--no-stamp-folder", "--en"},
                   dir / "config");
        EXPECT_EQ(run.exitCode, c.exitCode) << c.start;
        EXPECT_EQ(run.err, c.err) << c.start;
        EXPECT_EQ(fs::exists(dir / "out/IndexSheetFolder/page0001.jpg"), c.exitCode == 0)
            << c.start;
        EXPECT_EQ(fs::exists(dir / "out/IndexSheetFolder/page0002.jpg"), false) << c.start;
    }
}

// A folder another run is writing into, and an output folder that is a link elsewhere: refused
// with a message and exit 1, nothing written or removed.
TEST(SheetsSafety, FoldersItMustNotWriteIntoAreRefused) {
    quorvane::test::TempDir dir;
    const std::string examples = (quorvane::test::SourceDir() / "examples/photos").string();
    const fs::path output = dir / "out/IndexSheetFolder";
    auto sheets = [&] {
        return RunCli({"sheets", "--source", examples, "--dest", (dir / "out").string(), "--layout",
                       Layout(), "--no-stamp-folder", "--en"},
                      dir / "config");
    };
    {
        quorvane::OutputFolder other(
            quorvane::LocalPath::FromText(QString::fromStdString((dir / "out").string())),
            {"IndexSheetFolder"}, false);
        ASSERT_TRUE(other.isOpen());
        quorvane::test::WriteFile(output / "page0001.jpg", "the other run's page");
        const auto run = sheets();
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err,
                  "Another sheet run is writing into this folder.\n" + output.string() + "\n");
        EXPECT_EQ(quorvane::test::ReadFile(output / "page0001.jpg"), "the other run's page");
    }
    fs::remove_all(output);
    quorvane::test::WriteFile(dir / "other/page0001.jpg", "another customer's page");
    fs::create_directory_symlink(dir / "other", output);
    for (const bool stamped : {false, true}) {
        auto args = std::vector<std::string>{
            "sheets",   "--source", examples, "--dest", (dir / "out").string(),
            "--layout", Layout(),   "--en"};
        if (!stamped)
            args.push_back("--no-stamp-folder");
        const auto run = RunCli(args, dir / "config");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "The output folder is a link, so nothing is written into it.\n" +
                               output.string() + "\n");
    }
    EXPECT_EQ(FilesIn(dir / "other"), 1u);
    EXPECT_EQ(quorvane::test::ReadFile(dir / "other/page0001.jpg"), "another customer's page");
}
