// The report items: their order and exact texts, the sub-IFD blocks and their error text, values
// beyond the buffer, the stop request.
#include "ExifTestBuilder.h"

#include "TestSupport.h"
#include "exif/ValueFormatter.h"

#include <gtest/gtest.h>

using namespace quorvane::exif;
using namespace quorvane::test::exif;

namespace {

TiffBuilder SampleTiff(Order order) {
    TiffBuilder tiff(order);
    tiff.ifd0()
        .Ascii(271, "Canon")
        .Ascii(272, "Canon EOS")
        .Rational(282, 72, 1)
        .Shorts(258, {8, 8, 8})
        .Add(50000, 1, 1, "\x07")
        .Add(50001, 11, 1, std::string("\0\0\x80\x3F", 4));
    tiff.exif()
        .Undefined(36864, "0230")
        .Undefined(37500, "maker note bytes")
        .Ascii(36867, "2008:05:30 15:56:01");
    tiff.gps().Add(0, 1, 4, std::string("\x02\x02\x00\x00", 4)).Ascii(1, "N");
    return tiff;
}

} // namespace

TEST(Report, ItemsInOrderWithEnglishNames) {
    for (Order order : {Order::kII, Order::kMM}) {
        TiffBuilder tiff = SampleTiff(order);
        Report r = ReportOf(Jpeg(tiff.Build()));
        ASSERT_EQ(r.code, kReportDone);
        std::vector<std::string> expected = {
            order == Order::kII ? "II :インテル形式" : "MM :モトローラー形式",
            "Make:    Canon",
            "Model:    Canon EOS",
            "XResolution:    72 / 1 ",
            "BitsPerSample:    8 8 8",
            "TAGID(50000):    7",
            "TAGID(50001):    ",
            "ExifIFDPointer:    " + std::to_string(tiff.exifOffset()),
            "GPSInfoIFDPointer:    " + std::to_string(tiff.gpsOffset()),
            "ExifVersion:    30 32 33 30\nDateTimeOriginal:    2008:05:30 15:56:01\n",
            "GPSVersionID:    2 2 0 0\nGPSLatitudeRef:    N\n",
        };
        EXPECT_EQ(r.lines, expected);
    }
}

TEST(Report, JapaneseNames) {
    ExifOptions options;
    options.japaneseNames = true;
    TiffBuilder tiff = SampleTiff(Order::kII);
    Report r = ReportOf(Jpeg(tiff.Build()), options);
    ASSERT_EQ(r.lines.size(), 11u);
    EXPECT_EQ(r.lines[0], "II :インテル形式");
    EXPECT_EQ(r.lines[1], "撮影機器のメーカー名:    Canon");
    EXPECT_EQ(r.lines[5], "TAGID(50000):    7");
    EXPECT_EQ(r.lines[8], "GPS情報タグ\u3000ポインタ:    " + std::to_string(tiff.gpsOffset()));
    EXPECT_EQ(r.lines[9],
              "Exifバージョン:    30 32 33 30\nデータ撮影日時:    2008:05:30 15:56:01\n");
    EXPECT_EQ(r.lines[10], "GPS タグバージョン:    2 2 0 0\nGPS 北緯/南緯(N/S):    N\n");
}

TEST(Report, GpsIfdStoredBeforeTheExifIfd) {
    TiffBuilder tiff = SampleTiff(Order::kMM);
    tiff.GpsBeforeExif();
    std::string jpeg = Jpeg(tiff.Build());
    ASSERT_LT(tiff.gpsOffset(), tiff.exifOffset());
    Report r = ReportOf(jpeg);
    ASSERT_EQ(r.lines.size(), 11u);
    EXPECT_EQ(r.lines[9],
              "ExifVersion:    30 32 33 30\nDateTimeOriginal:    2008:05:30 15:56:01\n");
    EXPECT_EQ(r.lines[10], "GPSVersionID:    2 2 0 0\nGPSLatitudeRef:    N\n");
    EXPECT_EQ(DateOf(jpeg), "2008:05:30 15:56:01");
}

TEST(Report, SubIfdWithBadEntryCountIsTheErrorDump) {
    for (uint32_t count : {0u, 64u, 65535u}) {
        SCOPED_TRACE(count);
        TiffBuilder tiff(Order::kII);
        tiff.ifd0().Ascii(271, "X");
        tiff.exif().Undefined(36864, "0230").CountOverride(count);
        std::string jpeg = Jpeg(tiff.Build());
        Report r = ReportOf(jpeg);
        ASSERT_EQ(r.lines.size(), 4u);
        std::string countBytes = count == 0 ? "00 00" : count == 64 ? "40 00" : "FF FF";
        EXPECT_EQ(r.lines[3], "IFD ptr: " + Hex8(12 + tiff.exifOffset()) + "    \n" + countBytes +
                                  " 00 90 07 00 04 00 00 00 30 32 33 30 00 00"
                                  "\n00 00 FF D9 00 00 00 00 00 00 00 00 00 00 00 00");
        EXPECT_EQ(DateOf(jpeg), "");
    }
}

TEST(Report, SubIfdPointerOutsideTheBuffer) {
    TiffBuilder tiff(Order::kII);
    tiff.ifd0().Ascii(271, "X").Raw(34665, 4, 1, 0x7FFFFFF0);
    Report r = ReportOf(Jpeg(tiff.Build()));
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[3], "IFD ptr: 7FFFFFFC    ");
}

TEST(Report, ValuesBeyondTheFirst128KiB) {
    const uint32_t far = 0x20010;
    TiffBuilder tiff(Order::kII);
    tiff.ifd0().Raw(270, 2, 10, far).Raw(305, 2, 5, far);
    tiff.exif().Raw(36867, 2, 20, far + 40);
    std::string jpeg = Jpeg(tiff.Build());
    jpeg.resize(0x20200, '\0');
    jpeg.replace(12 + far, 10, "Beyond 1 \0", 10);
    jpeg.replace(12 + far + 40, 20, std::string("2008:05:30 15:56:01\0", 20));
    Report r = ReportOf(jpeg);
    ASSERT_EQ(r.code, kReportDone);
    ASSERT_EQ(r.lines.size(), 5u);
    EXPECT_EQ(r.lines[1], "ImageDescription:    ");
    EXPECT_EQ(r.lines[2], "Software:    ");
    EXPECT_EQ(r.lines[4], "DateTimeOriginal:    \n");
    EXPECT_EQ(DateOf(jpeg), "");
}

TEST(Report, DateCutByASmallByteCap) {
    std::string jpeg = Jpeg(SampleTiff(Order::kII).Build());
    ExifOptions options;
    options.maxDumpBinCt = 10;
    EXPECT_EQ(DateOf(jpeg, options), "2008:05:30.. ( 14 Bytes )");
    options.maxDumpBinCt = 20;
    EXPECT_EQ(DateOf(jpeg, options), "2008:05:30 15:56:01");
}

TEST(Report, DateNeedsAnExifIfdAndItsEntry) {
    TiffBuilder noExif(Order::kII);
    noExif.ifd0().Ascii(36867, "2008:05:30 15:56:01");
    EXPECT_EQ(DateOf(Jpeg(noExif.Build())), "");

    TiffBuilder noDate(Order::kII);
    noDate.ifd0().Ascii(271, "X");
    noDate.exif().Ascii(36868, "2008:05:30 15:56:01");
    EXPECT_EQ(DateOf(Jpeg(noDate.Build())), "");

    // An Exif IFD pointer at the TIFF header itself is not followed.
    TiffBuilder selfPointer(Order::kII);
    selfPointer.ifd0().Raw(34665, 4, 1, 0);
    Report r = ReportOf(Jpeg(selfPointer.Build()));
    EXPECT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(DateOf(Jpeg(selfPointer.Build())), "");
}

TEST(Report, StopKeepsTheItemsSoFar) {
    std::vector<std::string> lines;
    ExifOptions options;
    int yields = 0;
    options.yield = [&] { ++yields; };
    options.stopRequested = [&] { return lines.size() >= 3; };
    quorvane::test::TempDir dir;
    auto path = dir / "photo.jpg";
    quorvane::test::WriteFile(path, Jpeg(SampleTiff(Order::kII).Build()));
    EXPECT_EQ(ReadReport(path.string(), lines, options), kReportDone);
    EXPECT_EQ(lines, (std::vector<std::string>{"II :インテル形式", "Make:    Canon",
                                               "Model:    Canon EOS"}));
    EXPECT_GE(yields, 1);

    options.stopRequested = [] { return true; };
    EXPECT_EQ(ReadReport(path.string(), lines, options), kReportDone);
    EXPECT_EQ(lines, std::vector<std::string>{"II :インテル形式"});
    EXPECT_EQ(ShootingDate(path.string(), options), "");
}
