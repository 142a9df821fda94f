// The walk over a JPEG's markers that counts its scans before decoding, and the device through
// which a decode can be ended: scans are counted as the decoder meets them, whatever the coded
// data hold, and reads stop at each scan and fail once a stop is asked for.
#include "imaging/JpegMarkers.h"
#include "imaging/CancellableDevice.h"

#include "HostileJpeg.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

QByteArray Encoded(QImage::Format format, const char* kind, bool progressive) {
    QImage image(40, 30, format);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, kind);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image));
    return bytes;
}

// Where the n-th scan marker (from 1) begins.
qsizetype NthScan(const QByteArray& jpeg, int n) {
    qsizetype at = -1;
    while (n-- > 0)
        at = jpeg.indexOf(QByteArray("\xFF\xDA", 2), at + 1);
    return at;
}

QByteArray Bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// A grey progressive frame whose first scan's coded data hold a stuffed 0xFF, a restart marker
// and fill bytes before the second scan's marker.
QByteArray TwoScansWithTrickyData() {
    QByteArray jpeg = Bytes(test::JpegHeaders(16, 16, 1, true));
    jpeg.chop(2); // the end marker
    jpeg += QByteArray("\x12\xFF\x00\x34\xFF\xD3\x56\xFF\xFF", 9);
    jpeg += QByteArray("\xFF\xDA\x00\x08\x01\x01\x00\x01\x3F\x00\x77\xFF\xD9", 13);
    return jpeg;
}

TEST(JpegMarkers, CountsTheScansTheDecoderMeets) {
    const QByteArray tricky = TwoScansWithTrickyData();
    const QByteArray progressive = Encoded(QImage::Format_RGB32, "jpeg", true);
    const struct {
        const char* what;
        QByteArray bytes;
        bool jpeg;
        int components;
        bool progressive;
        int scans;
    } cases[] = {
        {"baseline colour (the walk ends at its only scan)",
         Encoded(QImage::Format_RGB32, "jpeg", false), true, 3, false, 1},
        {"progressive colour", progressive, true, 3, true, 10},
        {"progressive grey", Encoded(QImage::Format_Grayscale8, "jpeg", true), true, 1, true, 6},
        {"stuffing, restart and fill bytes in the data", tricky, true, 1, true, 2},
        {"cut in its third scan", progressive.left(NthScan(progressive, 3) + 6), true, 3, true, 3},
        {"500 scans", Bytes(test::ProgressiveJpeg(64, 64, 500)), true, 1, true, 500},
        {"2000 scans (the walk ends at 501)", Bytes(test::ProgressiveJpeg(64, 64, 2000)), true, 1,
         true, 501},
        {"a PNG", Encoded(QImage::Format_RGB32, "png", false), false, 0, false, 0},
        {"empty", QByteArray(), false, 0, false, 0},
    };
    for (const auto& c : cases) {
        QByteArray bytes = "lead" + c.bytes; // the walk starts where the device stands
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        buffer.seek(4);
        const JpegStructure s = ReadJpegStructure(buffer);
        EXPECT_EQ(buffer.pos(), 4) << c.what;
        EXPECT_EQ(s.jpeg, c.jpeg) << c.what;
        EXPECT_EQ(static_cast<int>(s.components.size()), c.components) << c.what;
        EXPECT_EQ(s.progressive, c.progressive) << c.what;
        EXPECT_EQ(s.scans, c.scans) << c.what;
        EXPECT_EQ(s.tooManyScans(), c.scans > 500) << c.what;
        ASSERT_EQ(static_cast<int>(s.scanStarts.size()), c.scans) << c.what;
        for (const int64_t at : s.scanStarts)
            EXPECT_EQ(c.bytes.mid(at, 2), QByteArray("\xFF\xDA", 2)) << c.what << " at " << at;
    }
}

TEST(CancellableDevice, ReadsPauseAtEachScanAndFailOnceCancelled) {
    QByteArray bytes = "lead0123456789abcdef";
    QBuffer source(&bytes);
    source.open(QIODevice::ReadOnly);
    source.seek(4);
    bool cancelled = false;
    CancellableDevice device(source, [&] { return cancelled; }, {3, 10});
    EXPECT_EQ(device.size(), 16);
    char data[32];
    EXPECT_EQ(device.read(data, 32), 3); // up to the first pause
    EXPECT_EQ(device.read(data, 32), 7);
    EXPECT_EQ(QByteArray(data, 7), "3456789");
    EXPECT_EQ(device.read(data, 32), 6);
    ASSERT_TRUE(device.seek(1));
    EXPECT_EQ(device.read(data, 1), 1);
    EXPECT_EQ(data[0], '1');
    cancelled = true;
    EXPECT_EQ(device.read(data, 32), -1);
    EXPECT_TRUE(device.cancelled());
    cancelled = false; // a refused decode stays refused
    EXPECT_EQ(device.read(data, 32), -1);
}

} // namespace
