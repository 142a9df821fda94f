// The kinds read through their libraries (HEIF, AVIF, WebP, TIFF) beside the JPEG they stand in
// for: a table of kinds, and for each what must hold: listed with its EXIF date, reported, upright
// once (a HEIF's container turn made, its EXIF copy not made again), decoded through every way a
// photo is read, reduced where the decoder can, its decoder memory counted; and a table of
// damaged files that each give the loading failure, never a crash or a hang.
#include "exif/ExifReader.h"
#include "files/LocalPath.h"
#include "files/PhotoList.h"
#include "render/PhotoSource.h"
#include "render/PreparedPhoto.h"

#include "PhotoKindFiles.h"
#include "TestPaths.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QPainter>
#include <chrono>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

const char kExifDate[] = "2021:06:15 10:20:30";

// Four colours, one per quarter, so that every turn and mirror shows; 256 x 192 so that an
// uncompressed TIFF's pixels pass the first 128 KiB.
QImage Quarters() {
    QImage picture(256, 192, QImage::Format_RGB32);
    QPainter p(&picture);
    p.fillRect(0, 0, 128, 96, QColor(220, 30, 30));
    p.fillRect(128, 0, 128, 96, QColor(30, 200, 30));
    p.fillRect(0, 96, 128, 96, QColor(30, 30, 220));
    p.fillRect(128, 96, 128, 96, QColor(240, 240, 240));
    return picture;
}

QByteArray Jpeg(const QImage& picture, const std::string& exif) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 95);
    QByteArray app1 = "Exif" + QByteArray(2, '\0') + QByteArray::fromStdString(exif);
    const int length = static_cast<int>(app1.size()) + 2;
    app1.prepend(QByteArray{"\xFF\xE1"} + char(length >> 8) + char(length & 0xFF));
    bytes.insert(2, app1);
    return bytes;
}

struct Kind {
    const char* name;    // file name: its extension, in the case a customer's file may have
    int exifOrientation; // in its EXIF block (for TIFF: its Orientation tag)
    int heifOrientation; // its HEIF container's turn
    int uprightTurn;     // what must be made of it: the EXIF numbering of the turn once
    bool reduces;        // decoded reduced by 2, 4, 8 when the cell needs fewer pixels
    std::function<QByteArray(const QImage&, const std::string& exif, int orientation)> make;
};

std::vector<Kind> Kinds() {
    using namespace quorvane::test;
    auto heif = [](bool av1) {
        return [av1](const QImage& p, const std::string& exif, int turn) {
            KindOptions o;
            o.exif = exif;
            o.containerOrientation = turn;
            return HeifFile(p, o, av1);
        };
    };
    auto webp = [](bool lossless) {
        return [lossless](const QImage& p, const std::string& exif, int) {
            KindOptions o;
            o.exif = exif;
            o.lossless = lossless;
            return WebpFile(p, o);
        };
    };
    auto tiff = [](bool pixelsFirst) {
        return [pixelsFirst](const QImage& p, const std::string&, int turn) {
            KindOptions o;
            o.pixelsFirst = pixelsFirst;
            return TiffFile(p, kExifDate, turn, o);
        };
    };
    return {
        {"jpeg.JPG", 6, 1, 6, true,
         [](const QImage& p, const std::string& exif, int) { return Jpeg(p, exif); }},
        // An iPhone's HEIC: pixels stored as shot, the turn in the container and in the EXIF.
        {"phone.HEIC", 6, 6, 6, false, heif(false)},
        // EXIF alone does not turn a HEIF: its container's turns are the ones that count.
        {"exif-only.heic", 6, 1, 1, false, heif(false)},
        {"mirrored.heif", 1, 2, 2, false, heif(false)},
        {"photo.hif", 1, 1, 1, false, heif(false)},
        {"photo.avif", 8, 8, 8, false, heif(true)},
        {"lossy.webp", 6, 1, 6, true, webp(false)},
        {"lossless.WebP", 3, 1, 3, true, webp(true)},
        {"head.tif", 8, 8, 8, false, tiff(false)},
        // libtiff's own order: directories after the pixels, past the first 128 KiB.
        {"tail.TIFF", 6, 6, 6, false, tiff(true)},
    };
}

QImage Turned(const QImage& picture, int orientation) {
    QImage turned = picture;
    switch (orientation) {
    case 2:
        return turned.mirrored(true, false);
    case 3:
        return turned.transformed(QTransform().rotate(180));
    case 6:
        return turned.transformed(QTransform().rotate(90));
    case 8:
        return turned.transformed(QTransform().rotate(270));
    default:
        return turned;
    }
}

// The colour at the centre of each quarter, as far apart as lossy coding may take them.
void ExpectQuarters(const QImage& image, const QImage& expected, const char* what) {
    ASSERT_EQ(image.size(), expected.size()) << what;
    for (const double fx : {0.25, 0.75})
        for (const double fy : {0.25, 0.75}) {
            const int x = static_cast<int>(fx * image.width());
            const int y = static_cast<int>(fy * image.height());
            const QRgb a = image.pixel(x, y), b = expected.pixel(x, y);
            EXPECT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b)),
                      60)
                << what << " at " << x << "," << y;
        }
}

QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

TEST(PhotoKinds, EachKindIsListedDatedReportedUprightAndDecodedEveryWay) {
    TempDir dir;
    const QImage picture = Quarters();
    std::vector<Kind> kinds = Kinds();
    for (const Kind& kind : kinds) {
        const QByteArray bytes = kind.make(
            picture, test::ExifBlock(kExifDate, kind.exifOrientation), kind.heifOrientation);
        ASSERT_FALSE(bytes.isEmpty()) << kind.name;
        test::WriteFile(dir / kind.name, bytes.toStdString());
    }
    test::WriteFile(dir / "raw.NEF", "raw");

    // Listed, dated from its EXIF (the TIFF file's own Exif IFD), and nothing else.
    PhotoRowsRequest request;
    request.sourceFolder = LocalPath::FromText(Q(dir.path()));
    const PhotoListResult list = ListPhotoRows(request);
    ASSERT_EQ(list.rows.size(), static_cast<int>(kinds.size()));
    for (const PhotoEntry& row : list.rows)
        EXPECT_EQ(row.shootingDate, QStringLiteral("2021/06/15 ")) << row.fileName.toStdString();
    EXPECT_EQ(list.skipped, QList<LocalPath>{test::P(dir / "raw.NEF")});

    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const LocalPath path = test::P(dir / kind.name);
        // The report reads its EXIF as a camera JPEG's.
        std::vector<std::string> lines;
        EXPECT_EQ(exif::ReadReport(path.bytes().toStdString(), lines), exif::kReportDone);
        EXPECT_NE(std::find(lines.begin(), lines.end(), "Make:    Quorvane"), lines.end());

        // Upright once, whichever way it is read.
        const QImage upright = Turned(picture, kind.uprightTurn);
        const PhotoHeader header = ReadPhotoHeader(path);
        EXPECT_EQ(header.upright, upright.size());
        const DecodedPhoto full = DecodePhoto(path, header, 1);
        ExpectQuarters(full.image, upright, "DecodePhoto");
        ExpectQuarters(LoadPhoto(path), upright, "LoadPhoto");

        // The decoder's memory is counted: at least its 32-bit bitmap and more.
        EXPECT_GT(header.needs.bytes(1), int64_t{upright.width()} * upright.height() * 4);

        // Reduced where the decoder can: a quarter of the pixels for a cell that needs no more.
        const int factor =
            ReductionFor(header, QRect(QPoint(), header.upright), header.upright / 4);
        EXPECT_EQ(factor, kind.reduces ? 4 : 1);
        const DecodedPhoto reduced = DecodePhoto(path, header, factor);
        ExpectQuarters(reduced.image, upright.scaled(reduced.frame.decodedSize()), "reduced");

        // Prepared for a cell as the run's workers do.
        PhotoPlanInput cell;
        cell.cell = QSize(100, 100);
        const PreparedPhoto prepared = PreparePhoto(path, cell, false);
        EXPECT_EQ(prepared.failure, PreparedPhoto::None);
        EXPECT_EQ(prepared.fitted.size(), upright.size().scaled(100, 100, Qt::KeepAspectRatio));
    }
}

// Bytes that make a file of the kind unusable, and how.
struct Damage {
    const char* what;
    std::function<QByteArray(QByteArray)> apply;
};

// Sets the 32-bit number after `box` (and the one after it), big-endian or little-endian.
QByteArray Claim(QByteArray bytes, const QByteArray& mark, int skip, bool bigEndian) {
    const qsizetype at = bytes.indexOf(mark);
    if (at < 0)
        return {};
    for (int i = 0; i < 2; ++i)
        for (int b = 0; b < 4; ++b) {
            const int shift = bigEndian ? 8 * (3 - b) : 8 * b;
            bytes[at + skip + 4 * i + b] = static_cast<char>(60000 >> shift & 0xFF);
        }
    return bytes;
}

TEST(PhotoKinds, DamagedFilesOfEachKindGiveTheLoadingFailure) {
    TempDir dir;
    const QImage picture = Quarters();
    test::KindOptions withExif;
    withExif.exif = test::ExifBlock(kExifDate);
    struct Case {
        const char* name;
        QByteArray bytes;
        QByteArray (*claimHuge)(QByteArray);
    };
    const Case cases[] = {
        {"heic.heic", test::HeifFile(picture, withExif),
         [](QByteArray b) { return Claim(b, "ispe", 8, true); }},
        {"avif.avif", test::HeifFile(picture, withExif, true),
         [](QByteArray b) { return Claim(b, "ispe", 8, true); }},
        {"webp.webp", test::WebpFile(picture, withExif),
         [](QByteArray b) {
             // The frame's own size, 14 bits each after its start code.
             const qsizetype at = b.indexOf(QByteArray("\x9D\x01\x2A", 3));
             b[at + 3] = b[at + 4] = b[at + 5] = b[at + 6] = '\xFF';
             return b;
         }},
        {"tiff.tif", test::TiffFile(picture, kExifDate),
         [](QByteArray b) {
             // ImageWidth and ImageLength, the first two entries of IFD0 at 8.
             for (const int entry : {0, 1})
                 for (int i = 0; i < 4; ++i)
                     b[8 + 2 + 12 * entry + 8 + i] = static_cast<char>(60000 >> (8 * i) & 0xFF);
             return b;
         }},
    };
    const Damage damages[] = {
        {"cut in half", [](QByteArray b) { return b.left(b.size() / 2); }},
        {"only its first 40 bytes", [](QByteArray b) { return b.left(40); }},
        {"empty after its kind's mark", [](QByteArray b) { return b.left(12); }},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.bytes.isEmpty()) << c.name;
        std::vector<std::pair<std::string, QByteArray>> files;
        for (const Damage& d : damages)
            files.emplace_back(d.what, d.apply(c.bytes));
        files.emplace_back("claiming 60000 x 60000 pixels", c.claimHuge(c.bytes));
        for (const auto& [what, bytes] : files) {
            SCOPED_TRACE(std::string(c.name) + ": " + what);
            ASSERT_FALSE(bytes.isEmpty());
            const auto path = dir / c.name;
            test::WriteFile(path, bytes.toStdString());
            const auto start = std::chrono::steady_clock::now();
            PhotoPlanInput cell;
            cell.cell = QSize(100, 100);
            EXPECT_EQ(PreparePhoto(test::P(path), cell, false).failure, PreparedPhoto::Unreadable);
            EXPECT_TRUE(LoadPhoto(test::P(path)).isNull());
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
            // Its date and report fail quietly too.
            std::vector<std::string> lines;
            exif::ReadReport(path.string(), lines);
            exif::ShootingDate(path.string());
        }
    }
}

} // namespace

namespace {

// The TIFF structure of a JPEG's EXIF block: the APP1 payload after "Exif" 00 00.
std::string JpegExif(const std::string& jpeg) {
    size_t at = 2;
    while (at + 4 <= jpeg.size() && uint8_t(jpeg[at]) == 0xFF) {
        const size_t length = (uint8_t(jpeg[at + 2]) << 8) | uint8_t(jpeg[at + 3]);
        if (uint8_t(jpeg[at + 1]) == 0xE1 &&
            jpeg.compare(at + 4, 6, std::string("Exif\0\0", 6)) == 0)
            return jpeg.substr(at + 10, length - 8);
        at += 2 + length;
    }
    return {};
}

// Real cameras' EXIF blocks, maker notes included, moved into a HEIC and a WebP: the report, in
// both languages and with the maker notes, reads line for line as from the camera's own JPEG.
TEST(PhotoKinds, RealCamerasExifReadsTheSameFromEveryKind) {
    QUORVANE_REQUIRE_TEST_PHOTOS();
    TempDir dir;
    const QImage picture = Quarters();
    int compared = 0, makerNotes = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(test::TestPhotosDir() / "cameras")) {
        const std::string jpeg = test::ReadFile(entry.path());
        const std::string exif = JpegExif(jpeg);
        if (exif.size() < 8 || exif.size() > 60000)
            continue;
        // The JPEG as its camera wrote it: APP1 right after SOI, so both read with base 12.
        test::WriteFile(dir / "camera.jpg", Jpeg(picture, exif).toStdString());
        test::KindOptions options;
        options.exif = exif;
        test::WriteFile(dir / "camera.heic", test::HeifFile(picture, options).toStdString());
        test::WriteFile(dir / "camera.webp", test::WebpFile(picture, options).toStdString());
        for (const bool japanese : {false, true}) {
            exif::ExifOptions o;
            o.makerNotes = true;
            o.japaneseNames = japanese;
            o.settingsFolder = (test::SourceDir() / "initdata").string();
            std::vector<std::string> expected, lines;
            const int code = exif::ReadReport((dir / "camera.jpg").string(), expected, o);
            if (!japanese)
                makerNotes += std::count(expected.begin(), expected.end(), "<< MakeNote >>");
            for (const char* other : {"camera.heic", "camera.webp"}) {
                EXPECT_EQ(exif::ReadReport((dir / other).string(), lines, o), code);
                EXPECT_EQ(lines, expected) << entry.path().filename() << " as " << other;
                EXPECT_EQ(exif::ShootingDate((dir / other).string()),
                          exif::ShootingDate((dir / "camera.jpg").string()));
            }
        }
        ++compared;
    }
    EXPECT_GE(compared, 5);
    EXPECT_GE(makerNotes, 3);
}

} // namespace

namespace {

// A HEIF thumbnail at least as large as the cell needs is decoded instead of the photo (it has
// colours of its own here, to tell which was decoded): turned with the photo, placed where the
// photo would be; a cell it is too small for gets the photo.
TEST(PhotoKinds, AHeifThumbnailLargeEnoughForTheCellIsDecodedInsteadOfThePhoto) {
    TempDir dir;
    const QImage picture = Quarters().scaled(800, 600);
    QImage other = picture;
    other.invertPixels();
    test::KindOptions options;
    options.thumbnail = other; // made 400 x 300
    other = other.scaled(400, 300);
    options.containerOrientation = 6;
    test::WriteFile(dir / "thumb.heic", test::HeifFile(picture, options).toStdString());
    const LocalPath path = test::P(dir / "thumb.heic");

    const PhotoHeader header = ReadPhotoHeader(path);
    EXPECT_EQ(header.upright, QSize(600, 800));
    ASSERT_EQ(header.smaller, std::vector<QSize>{QSize(300, 400)});
    const QRect whole(QPoint(), header.upright);
    EXPECT_EQ(ReductionFor(header, whole, QSize(280, 380)), 8);
    EXPECT_EQ(ReductionFor(header, whole, QSize(301, 380)), 1);
    const DecodedPhoto small = DecodePhoto(path, header, 8);
    EXPECT_EQ(small.frame.decodedSize(), QSize(300, 400));
    ExpectQuarters(small.image, Turned(other, 6), "thumbnail");
    // A crop of the photo lands on the thumbnail's pixels scaled by a half.
    EXPECT_EQ(small.frame.toDecoded(QRect(100, 200, 300, 401)), QRect(50, 100, 150, 201));

    PhotoPlanInput cell;
    cell.cell = QSize(150, 200);
    ExpectQuarters(PreparePhoto(path, cell, false).fitted, Turned(other, 6).scaled(150, 200),
                   "small cell");
    cell.cell = QSize(450, 600);
    ExpectQuarters(PreparePhoto(path, cell, false).fitted, Turned(picture, 6).scaled(450, 600),
                   "large cell");
    ExpectQuarters(LoadPhoto(path), Turned(picture, 6), "adjustment window");
}

} // namespace

namespace {

// Transparent photos of each kind keep their transparency as a PNG's does: a clear half stays
// clear, an opaque half opaque, and the photo is blended, not copied, onto the page.
TEST(PhotoKinds, TransparentPhotosStayTransparentAsPngsDo) {
    TempDir dir;
    QImage picture(160, 120, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(0, 0, 80, 120, QColor(200, 40, 40));
    test::KindOptions lossless;
    lossless.lossless = true;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const std::pair<const char*, QByteArray> files[] = {
        {"clear.png", png},
        {"clear.webp", test::WebpFile(picture)},
        {"lossless.webp", test::WebpFile(picture, lossless)},
        {"clear.heic", test::HeifFile(picture)},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(bytes.isEmpty());
        test::WriteFile(dir / name, bytes.toStdString());
        PhotoPlanInput cell;
        cell.cell = QSize(160, 120);
        const PreparedPhoto prepared = PreparePhoto(test::P(dir / name), cell, false);
        ASSERT_EQ(prepared.failure, PreparedPhoto::None);
        EXPECT_FALSE(prepared.opaque);
        EXPECT_LT(qAlpha(prepared.fitted.pixel(130, 60)), 20);
        EXPECT_GT(qAlpha(prepared.fitted.pixel(30, 60)), 235);
        EXPECT_GT(qRed(prepared.fitted.pixel(30, 60)), 170);
        EXPECT_EQ(LoadPhoto(test::P(dir / name)).hasAlphaChannel(), true);
    }
}

} // namespace
