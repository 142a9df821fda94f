// The buffer reads, the TIFF header search, the report's result codes and the IFD lookups.
#include "ExifTestBuilder.h"

#include "TestSupport.h"
#include "exif/ExifBuffer.h"
#include "exif/IfdEntry.h"
#include "exif/TiffHeader.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorvane::exif;
using namespace quorvane::test::exif;

namespace {

const char* const kII = "II :インテル形式";
const char* const kMM = "MM :モトローラー形式";

TiffBuilder SimpleTiff(Order order) {
    TiffBuilder tiff(order);
    tiff.ifd0().Ascii(271, "Canon").Ascii(272, "Canon EOS");
    tiff.exif().Ascii(36867, "2008:05:30 15:56:01");
    return tiff;
}

} // namespace

TEST(ExifBuffer, ReadsEachWidthInBothOrders) {
    ExifBuffer b(std::string("\x12\x34\x56\x78\x9A", 5));
    EXPECT_EQ(b.ReadUnsigned(0, ByteOrder::kLittle, 0), 0);
    EXPECT_EQ(b.ReadUnsigned(1, ByteOrder::kBig, 0), 0x12);
    EXPECT_EQ(b.ReadUnsigned(2, ByteOrder::kLittle, 0), 0x3412);
    EXPECT_EQ(b.ReadUnsigned(2, ByteOrder::kBig, 0), 0x1234);
    EXPECT_EQ(b.ReadUnsigned(3, ByteOrder::kLittle, 1), 0x785634);
    EXPECT_EQ(b.ReadUnsigned(3, ByteOrder::kBig, 1), 0x345678);
    EXPECT_EQ(b.ReadUnsigned(4, ByteOrder::kLittle, 1), 0x9A785634);
    EXPECT_EQ(b.ReadUnsigned(4, ByteOrder::kBig, 1), 0x3456789A);
    EXPECT_EQ(b.ReadUnsigned(5, ByteOrder::kBig, 0), -1);
    EXPECT_EQ(b.ReadUnsigned(-1, ByteOrder::kBig, 0), -1);
    EXPECT_EQ(b.loadedBytes(), 5);
}

TEST(ExifBuffer, ReadsThatPassTheLastPositionGiveZero) {
    ExifBuffer b(std::string(200000, '\xFF'));
    EXPECT_EQ(b.loadedBytes(), ExifBuffer::kSize);
    EXPECT_EQ(b.ReadUnsigned(1, ByteOrder::kBig, 131070), 0xFF);
    EXPECT_EQ(b.ReadUnsigned(1, ByteOrder::kBig, 131071), 0);
    EXPECT_EQ(b.ReadUnsigned(4, ByteOrder::kBig, 131067), 0xFFFFFFFF);
    EXPECT_EQ(b.ReadUnsigned(4, ByteOrder::kBig, 131068), 0);
    EXPECT_EQ(b.ReadUnsigned(2, ByteOrder::kBig, -1), 0);
    EXPECT_EQ(b.ReadUnsigned(4, ByteOrder::kBig, std::numeric_limits<int64_t>::max()), 0);
    EXPECT_EQ(b.ReadUnsigned(4, ByteOrder::kBig, std::numeric_limits<int64_t>::min()), 0);
}

TEST(TiffHeaderSearch, FindsTheHeaderAfterTheSegmentsBeforeIt) {
    std::string tiff = SimpleTiff(Order::kII).Build();
    EXPECT_EQ(FindTiffBase(ExifBuffer(Jpeg(tiff))), 12);
    EXPECT_EQ(FindTiffBase(ExifBuffer(Jpeg(tiff, {.app0 = true}))), 30);
    // Only an APP0 first starts the scan.
    EXPECT_EQ(FindTiffBase(ExifBuffer(Jpeg(tiff, {.dqtFirst = true}))), 12);

    // APP0, a comment segment, then APP1.
    std::string app0 = std::string("\xFF\xE0\x00\x04\x00\x00", 6);
    std::string com = std::string("\xFF\xFE\x00\x05xyz", 7);
    std::string jpeg = "\xFF\xD8" + app0 + com + Jpeg(tiff).substr(2);
    EXPECT_EQ(FindTiffBase(ExifBuffer(jpeg)), 2 + 6 + 7 + 10);

    // A chain that leaves the markers, ends the image or never finds APP1 keeps 12.
    EXPECT_EQ(FindTiffBase(ExifBuffer("\xFF\xD8" + app0 + "xx")), 12);
    EXPECT_EQ(FindTiffBase(ExifBuffer("\xFF\xD8" + app0 + "\xFF\xD9\xFF\xE1")), 12);
    std::string loop = "\xFF\xD8";
    for (int i = 0; i < 150; ++i)
        loop += std::string("\xFF\xE0\x00\x02", 4); // 100 segments at most are looked at
    EXPECT_EQ(FindTiffBase(ExifBuffer(loop + "\xFF\xE1")), 12);
    // Lengths that walk past the buffer end stop the scan.
    EXPECT_EQ(FindTiffBase(ExifBuffer("\xFF\xD8\xFF\xE0\xFF\xFF" + std::string(70000, '\0'))), 12);
}

TEST(ReportCodes, FilesThatAreNotUsableJpegs) {
    quorvane::test::TempDir dir;
    std::vector<std::string> lines{"old"};
    EXPECT_EQ(ReadReport((dir / "missing.jpg").string(), lines), kReportNoFile);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(ShootingDate((dir / "missing.jpg").string()), "");

    struct Case {
        const char* name;
        std::string bytes;
        int code;
        std::vector<std::string> lines;
    };
    std::string tiff = SimpleTiff(Order::kII).Build();
    const Case cases[] = {
        {"empty file", "", kReportNothingRead, {}},
        {"one byte", "\xFF", kReportNotJpeg, {}},
        {"PNG", "\x89PNG\r\n\x1A\n" + std::string(40, '\0'), kReportNotJpeg, {}},
        {"GIF", "GIF89a" + std::string(40, '\0'), kReportNotJpeg, {}},
        {"SOI only", "\xFF\xD8", kReportNoTiffMagic, {kMM}},
        {"quantisation table first", Jpeg(tiff, {.dqtFirst = true}), kReportNoTiffMagic, {kMM}},
        {"magic 43", Jpeg("II\x2B" + tiff.substr(3)), kReportNoTiffMagic, {kII}},
        {"magic in the wrong order",
         Jpeg("MM\x2A\x00" + tiff.substr(4)),
         kReportNoTiffMagic,
         {kMM}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Report r = ReportOf(c.bytes);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.lines, c.lines);
        EXPECT_EQ(DateOf(c.bytes), "");
    }
}

TEST(ReportCodes, Ifd0EntryCounts) {
    struct Case {
        uint32_t count;
        int code;
    };
    for (Case c : {Case{0, kReportNoEntries}, Case{64, kReportTooManyEntries},
                   Case{65535, kReportTooManyEntries}}) {
        SCOPED_TRACE(c.count);
        TiffBuilder tiff = SimpleTiff(Order::kMM);
        tiff.ifd0().CountOverride(c.count);
        Report r = ReportOf(Jpeg(tiff.Build()));
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.lines, std::vector<std::string>{kMM});
        EXPECT_EQ(DateOf(Jpeg(tiff.Build())), "");
    }
}

TEST(ReportCodes, SixtyThreeEntriesAreReadAndSixtyFourAreNot) {
    for (int n : {63, 64}) {
        SCOPED_TRACE(n);
        TiffBuilder tiff(Order::kII);
        // IFD0 holds n entries in all, the Exif IFD pointer being the last.
        for (int i = 0; i < n - 1; ++i)
            tiff.ifd0().Shorts(40000 + i, {static_cast<uint32_t>(i)});
        tiff.exif().Ascii(36867, "2001:02:03 04:05:06");
        std::string jpeg = Jpeg(tiff.Build());
        Report r = ReportOf(jpeg);
        if (n == 63) {
            EXPECT_EQ(r.code, kReportDone);
            ASSERT_EQ(r.lines.size(), 1u + 63u + 1u);
            EXPECT_EQ(r.lines[1], "TAGID(40000):    0");
            EXPECT_EQ(r.lines[62], "TAGID(40061):    61");
            EXPECT_EQ(r.lines[64], "DateTimeOriginal:    2001:02:03 04:05:06\n");
            EXPECT_EQ(DateOf(jpeg), "2001:02:03 04:05:06");
        } else {
            EXPECT_EQ(r.code, kReportTooManyEntries);
            EXPECT_EQ(DateOf(jpeg), "");
        }
    }
}

TEST(ReportCodes, Ifd0AtOffsetTenAndApp0BeforeApp1) {
    struct Case {
        Order order;
        uint32_t ifd0Offset;
        bool app0;
    };
    for (Case c : {Case{Order::kMM, 10, false}, Case{Order::kII, 8, true}}) {
        SCOPED_TRACE(c.ifd0Offset);
        TiffBuilder tiff = SimpleTiff(c.order);
        tiff.Ifd0Offset(c.ifd0Offset);
        std::string jpeg = Jpeg(tiff.Build(), {.app0 = c.app0});
        Report r = ReportOf(jpeg);
        EXPECT_EQ(r.code, kReportDone);
        ASSERT_GE(r.lines.size(), 3u);
        EXPECT_EQ(r.lines[0], c.order == Order::kII ? kII : kMM);
        EXPECT_EQ(r.lines[1], "Make:    Canon");
        EXPECT_EQ(r.lines[2], "Model:    Canon EOS");
        EXPECT_EQ(DateOf(jpeg), "2008:05:30 15:56:01");
    }
}

namespace {

// An IFD at position 100 of a little-endian buffer with base 12: tags 5 (SHORT), 7 (ASCII x9),
// 5 (LONG x3), each with value field 0x100 + index.
ExifBuffer LookupBuffer(uint32_t count) {
    std::string bytes(300, '\0');
    auto put = [&](size_t at, const std::string& b) { bytes.replace(at, b.size(), b); };
    put(100, U16(Order::kII, count));
    const int tags[] = {5, 7, 5}, types[] = {3, 2, 4}, counts[] = {1, 9, 3};
    for (int i = 0; i < 3; ++i) {
        size_t e = 102 + 12 * i;
        put(e, U16(Order::kII, tags[i]) + U16(Order::kII, types[i]) + U32(Order::kII, counts[i]) +
                   U32(Order::kII, 0x100 + i));
    }
    return ExifBuffer(bytes);
}

} // namespace

TEST(IfdLookups, FirstEntryForValueAndPositionLastForSize) {
    ExifBuffer b = LookupBuffer(3);
    ReadPacer pacer;
    IfdLookup lookup(b, 12, pacer);
    EXPECT_EQ(lookup.FindValue(100, ByteOrder::kLittle, 5), 12 + 0x100);
    EXPECT_EQ(lookup.FindEntry(100, ByteOrder::kLittle, 5), 102);
    EXPECT_EQ(lookup.FindSize(100, ByteOrder::kLittle, 5), 12);
    EXPECT_EQ(lookup.FindValue(100, ByteOrder::kLittle, 7), 12 + 0x101);
    EXPECT_EQ(lookup.FindEntry(100, ByteOrder::kLittle, 7), 114);
    EXPECT_EQ(lookup.FindSize(100, ByteOrder::kLittle, 7), 9);
    EXPECT_EQ(lookup.FindValue(100, ByteOrder::kLittle, 6), -1);
    EXPECT_EQ(lookup.FindEntry(100, ByteOrder::kLittle, 6), -1);
    EXPECT_EQ(lookup.FindSize(100, ByteOrder::kLittle, 6), 0);
}

TEST(IfdLookups, AcceptOneToSixtyFourEntries) {
    for (uint32_t count : {0u, 65u, 65535u}) {
        ExifBuffer b = LookupBuffer(count);
        ReadPacer pacer;
        IfdLookup lookup(b, 12, pacer);
        EXPECT_EQ(lookup.FindValue(100, ByteOrder::kLittle, 5), -5);
        EXPECT_EQ(lookup.FindEntry(100, ByteOrder::kLittle, 5), -5);
        EXPECT_EQ(lookup.FindSize(100, ByteOrder::kLittle, 5), -5);
    }
    ExifBuffer b = LookupBuffer(64);
    ReadPacer pacer;
    EXPECT_EQ(IfdLookup(b, 12, pacer).FindEntry(100, ByteOrder::kLittle, 7), 114);
    // An IFD whose entries run past the buffer end reads zeros there, never beyond.
    EXPECT_EQ(IfdLookup(b, 12, pacer).FindEntry(ExifBuffer::kSize - 20, ByteOrder::kLittle, 0), -5);
}

TEST(IfdLookups, StopRequestAnswersAsIfAbsentAndYieldRuns) {
    ExifBuffer b = LookupBuffer(3);
    int yields = 0, polls = 0;
    ReadPacer pacer([&] { ++yields; }, [&] { return ++polls > 1; });
    IfdLookup lookup(b, 12, pacer);
    // The first entry is looked at, the second never: the stop comes before it.
    EXPECT_EQ(lookup.FindValue(100, ByteOrder::kLittle, 7), -1);
    EXPECT_EQ(lookup.FindSize(100, ByteOrder::kLittle, 5), 0);
    EXPECT_EQ(lookup.FindEntry(100, ByteOrder::kLittle, 5), -1);
    EXPECT_EQ(polls, 2);
    EXPECT_GE(yields, 1);
}
