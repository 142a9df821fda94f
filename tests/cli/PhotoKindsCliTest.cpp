// The batch command with the kinds read through their libraries: HEIC, WebP and TIFF photos are
// listed, reported and placed; camera RAW files are named on stderr, one line each, without
// changing the exit code; a damaged HEIC stops the run with the loading message; pages carry the
// sRGB profile after their JFIF header.
#include "PhotoKindFiles.h"
#include "TestSupport.h"

#include <QColorSpace>
#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

using quorvane::test::RunCli;
using quorvane::test::TempDir;

namespace {

QImage Picture() {
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(QColor(40, 120, 200));
    QPainter(&picture).fillRect(10, 10, 50, 30, QColor(230, 200, 40));
    return picture;
}

class PhotoKindsCli : public ::testing::Test {
  protected:
    void SetUp() override {
        using namespace quorvane::test;
        KindOptions options;
        options.exif = ExifBlock("2020:02:29 08:00:00");
        const QImage picture = Picture();
        WriteFile(photos / "a.HEIC", HeifFile(picture, options).toStdString());
        WriteFile(photos / "b.webp", WebpFile(picture, options).toStdString());
        WriteFile(photos / "c.tiff", TiffFile(picture, "2020:02:29 08:00:00").toStdString());
        for (const char* raw : {"d.CR2", "e.nef", "f.dng"})
            WriteFile(photos / raw, "raw");
        WriteFile(layout, "[PAPER]\nwidth=1200\nheight=800\ndpi=300\n[PHOTO]\nphoto_ct=4\n"
                          "photo_col=2\nphoto_row=2\nphoto_width=500\nphoto_height=300\n"
                          "[INPUT]\nCHECKBOX7=1\n");
    }
    quorvane::test::ProgramRun Run(const std::vector<std::string>& args) {
        return RunCli(args, dir / "config");
    }
    TempDir dir;
    std::filesystem::path photos = dir / "photos";
    std::filesystem::path layout = dir / "layout.ini";
};

TEST_F(PhotoKindsCli, ListNamesEachSkippedRawFileOnStderrAndKeepsTheExitCode) {
    const std::string folder = photos.string() + "/";
    auto run = Run({"list", photos.string(), "-en"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "1\ta.HEIC\t2020/02/29 \t" + folder + "\n" +     //
                           "2\tb.webp\t2020/02/29 \t" + folder + "\n" + //
                           "3\tc.tiff\t2020/02/29 \t" + folder + "\n");
    EXPECT_EQ(run.err, "skipped, format not supported: d.CR2\n"
                       "skipped, format not supported: e.nef\n"
                       "skipped, format not supported: f.dng\n");
    quorvane::test::CliRunOptions japanese;
    japanese.environment = {"LC_ALL=ja_JP.UTF-8"};
    run = quorvane::test::RunCliBytes({"list", photos.string()}, dir / "config", japanese);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "読み込めない形式のためスキップしました: d.CR2\n"
                       "読み込めない形式のためスキップしました: e.nef\n"
                       "読み込めない形式のためスキップしました: f.dng\n");
}

TEST_F(PhotoKindsCli, ExifReportsAHeicAsACameraJpeg) {
    const auto run = Run({"exif", (photos / "a.HEIC").string(), "-en"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\nMake:    Quorvane\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nDateTimeOriginal:    2020:02:29 08:00:00\n"), std::string::npos);
}

TEST_F(PhotoKindsCli, SheetsPlacesEveryKindAndTagsItsPagesSrgb) {
    // Old pages are the kinds a run writes: a HEIC in the output folder is nobody's old page.
    quorvane::test::WriteFile(dir / "out/IndexSheetFolder/page0009.jpg", "old page");
    quorvane::test::WriteFile(dir / "out/IndexSheetFolder/customer.heic", "a customer's photo");
    const auto run = Run({"sheets", "--source", photos.string(), "--dest", (dir / "out").string(),
                          "--layout", layout.string(), "--en", "--no-stamp-folder"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "skipped, format not supported: d.CR2\n"
                       "skipped, format not supported: e.nef\n"
                       "skipped, format not supported: f.dng\n"
                       "Created the sheet.\n");
    const std::string page = quorvane::test::ReadFile(dir / "out/IndexSheetFolder/page0001.jpg");
    // SOI, the JFIF APP0 with the layout's 300 dpi stamped, then the profile.
    ASSERT_GT(page.size(), 40u);
    EXPECT_EQ(page.substr(0, 4), "\xFF\xD8\xFF\xE0");
    EXPECT_EQ(page.substr(6, 5), std::string("JFIF\0", 5));
    EXPECT_EQ(page.substr(13, 5), std::string("\x01\x01\x2C\x01\x2C", 5));
    const size_t app2 = 4 + ((uint8_t(page[4]) << 8) | uint8_t(page[5]));
    EXPECT_EQ(page.substr(app2, 2), "\xFF\xE2");
    EXPECT_EQ(page.substr(app2 + 4, 14), std::string("ICC_PROFILE\0\x01\x01", 14));
    const size_t length = (uint8_t(page[app2 + 2]) << 8) | uint8_t(page[app2 + 3]);
    const QByteArray icc = QByteArray::fromStdString(page.substr(app2 + 18, length - 16));
    EXPECT_LT(icc.size(), 1024);
    EXPECT_EQ(QColorSpace::fromIccProfile(icc), QColorSpace(QColorSpace::SRgb));
    EXPECT_FALSE(std::filesystem::exists(dir / "out/IndexSheetFolder/page0009.jpg"));
    EXPECT_TRUE(std::filesystem::exists(dir / "out/IndexSheetFolder/customer.heic"));
}

TEST_F(PhotoKindsCli, ADamagedHeicStopsTheRunWithTheLoadingMessage) {
    const std::string heic = quorvane::test::ReadFile(photos / "a.HEIC");
    quorvane::test::WriteFile(photos / "a.HEIC", heic.substr(0, heic.size() / 2));
    const auto run = Run({"sheets", "--source", photos.string(), "--dest", (dir / "out").string(),
                          "--layout", layout.string(), "--en", "--no-stamp-folder"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Image reading error. \nPlease check whether the image exists or is "
                           "not too big.\n" +
                           (photos / "a.HEIC").string()),
              std::string::npos)
        << run.err;
}

} // namespace
