// Reports of real camera photos against the values exiftool reads from the same files
// (`exiftool -a -G1 -s -n FILE`), noted in the table below.
#include "TestSupport.h"
#include "exif/ExifReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

using namespace quorvane::exif;

namespace {

enum class Kind {
    kText,    // the value text equals exiftool's text
    kNumber,  // an integer or "n / d " rational equal to exiftool's number
    kDegrees, // three rationals (degrees, minutes, seconds) equal to exiftool's decimal degrees
};

struct Expectation {
    const char* name; // report name of the entry
    Kind kind;
    const char* exiftool;
};

struct PhotoCase {
    const char* file;
    int code;
    const char* byteOrderItem;
    const char* date; // exiftool's ExifIFD:DateTimeOriginal
    std::vector<Expectation> values;
};

const char* const kII = "II :インテル形式";
const char* const kMM = "MM :モトローラー形式";

const std::vector<PhotoCase>& Cases() {
    static const std::vector<PhotoCase> cases = {
        {"cameras/Canon_40D.jpg",
         0,
         kII,
         "2008:05:30 15:56:01",
         {{"Make", Kind::kText, "Canon"},
          {"Model", Kind::kText, "Canon EOS 40D"},
          {"XResolution", Kind::kNumber, "72"},
          {"Orientation", Kind::kNumber, "1"},
          {"ExposureTime", Kind::kNumber, "0.00625"},
          {"FNumber", Kind::kNumber, "7.1"},
          {"PhotographicSensitivity", Kind::kNumber, "100"},
          {"PixelXDimension", Kind::kNumber, "100"},
          {"FocalLength", Kind::kNumber, "135"},
          {"ExposureBiasValue", Kind::kNumber, "0"}}},
        {"cameras/Nikon_D70.jpg",
         0,
         kII,
         "2008:03:15 09:52:01",
         {{"Make", Kind::kText, "NIKON CORPORATION"},
          {"Model", Kind::kText, "NIKON D70"},
          {"XResolution", Kind::kNumber, "240"},
          {"ExposureTime", Kind::kNumber, "0.005"},
          {"FNumber", Kind::kNumber, "9"},
          {"PhotographicSensitivity", Kind::kNumber, "200"},
          {"FocalLength", Kind::kNumber, "100"},
          {"ExposureBiasValue", Kind::kNumber, "-1"}}},
        {"cameras/Fujifilm_FinePix_E500.jpg",
         0,
         kMM,
         "2006:08:17 09:24:48",
         {{"Make", Kind::kText, "FUJIFILM"},
          {"Model", Kind::kText, "FinePix E500"},
          {"XResolution", Kind::kNumber, "96"},
          {"ExposureTime", Kind::kNumber, "0.0125"},
          {"FNumber", Kind::kNumber, "2.9"},
          {"PixelXDimension", Kind::kNumber, "59"},
          {"FocalLength", Kind::kNumber, "4.7"}}},
        {"cameras/Pentax_K10D.jpg",
         0,
         kII,
         "2008:05:04 16:47:24",
         {{"Make", Kind::kText, "PENTAX Corporation"},
          {"Model", Kind::kText, "PENTAX K10D"},
          {"XResolution", Kind::kNumber, "350"},
          {"ExposureTime", Kind::kNumber, "0.005555555556"},
          {"FNumber", Kind::kNumber, "11"},
          {"PhotographicSensitivity", Kind::kNumber, "200"},
          {"FocalLength", Kind::kNumber, "90"}}},
        {"gps/DSCN0010.jpg",
         0,
         kII,
         "2008:10:22 16:28:39",
         {{"Make", Kind::kText, "NIKON"},
          {"Model", Kind::kText, "COOLPIX P6000"},
          {"XResolution", Kind::kNumber, "300"},
          {"ExposureTime", Kind::kNumber, "0.01333333333"},
          {"FNumber", Kind::kNumber, "5.9"},
          {"PhotographicSensitivity", Kind::kNumber, "64"},
          {"GPSLatitudeRef", Kind::kText, "N"},
          {"GPSLatitude", Kind::kDegrees, "43.4674483333333"},
          {"GPSLongitudeRef", Kind::kText, "E"},
          {"GPSLongitude", Kind::kDegrees, "11.8851266666639"},
          {"GPSDateStamp", Kind::kText, "2008:10:23"}}},
        {"cameras/Canon_40D_photoshop_import.jpg",
         0,
         kMM,
         "",
         {{"XResolution", Kind::kNumber, "300"},
          {"Orientation", Kind::kNumber, "1"},
          {"PixelXDimension", Kind::kNumber, "100"}}},
        {"exif-org/sanyo-vpcg250.jpg",
         0,
         kII,
         "1998:01:01 00:00:00",
         {{"Make", Kind::kText, "SANYO Electric Co.,Ltd."},
          {"Model", Kind::kText, "SR6"},
          {"ExposureTime", Kind::kNumber, "0.005847953216"},
          {"FNumber", Kind::kNumber, "8"},
          {"FocalLength", Kind::kNumber, "6"}}},
        {"cameras/Sony_HDR-HC3.jpg",
         0,
         kII,
         "2007:06:15 04:42:32",
         {{"Make", Kind::kText, "SONY"},
          {"Model", Kind::kText, "HDR-HC3"},
          {"ExposureTime", Kind::kNumber, "0.01666666667"},
          {"FocalLength", Kind::kNumber, "5.1"}}},
        // exiftool finds no EXIF block here: the APP1 after the JFIF segments is not EXIF.
        {"exif-org/olympus-d320l.jpg", kReportNoTiffMagic, kMM, "", {}},
    };
    return cases;
}

// name -> value text of every entry line of the report (IFD0 items and block lines).
std::map<std::string, std::string> Entries(const std::vector<std::string>& items) {
    std::map<std::string, std::string> entries;
    for (const std::string& item : items) {
        std::istringstream lines(item);
        std::string line;
        while (std::getline(lines, line)) {
            size_t sep = line.find(":    ");
            if (sep != std::string::npos)
                entries.emplace(line.substr(0, sep), line.substr(sep + 5));
        }
    }
    return entries;
}

// The numbers of a value text: integers, or "n / d " rationals as quotients.
std::vector<double> Numbers(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    std::vector<double> values;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i + 2 < words.size() && words[i + 1] == "/") {
            values.push_back(std::stod(words[i]) / std::stod(words[i + 2]));
            i += 2;
        } else {
            values.push_back(std::stod(words[i]));
        }
    }
    return values;
}

void ExpectNear(double actual, double expected) {
    EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::fabs(expected)));
}

} // namespace

TEST(RealPhotos, ReportValuesAndDatesAgreeWithExiftool) {
    QUORVANE_REQUIRE_TEST_PHOTOS();
    for (const PhotoCase& c : Cases()) {
        SCOPED_TRACE(c.file);
        std::string path = (quorvane::test::TestPhotosDir() / c.file).string();
        std::vector<std::string> items;
        ASSERT_EQ(ReadReport(path, items), c.code);
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(items[0], c.byteOrderItem);
        EXPECT_EQ(ShootingDate(path), c.date);

        auto entries = Entries(items);
        for (const Expectation& e : c.values) {
            SCOPED_TRACE(e.name);
            auto found = entries.find(e.name);
            ASSERT_NE(found, entries.end());
            std::vector<double> numbers =
                e.kind == Kind::kText ? std::vector<double>{} : Numbers(found->second);
            switch (e.kind) {
            case Kind::kText: {
                std::string text = found->second;
                text.erase(text.find_last_not_of(' ') + 1);
                EXPECT_EQ(text, e.exiftool);
                break;
            }
            case Kind::kNumber:
                ASSERT_EQ(numbers.size(), 1u) << found->second;
                ExpectNear(numbers[0], std::stod(e.exiftool));
                break;
            case Kind::kDegrees:
                ASSERT_EQ(numbers.size(), 3u) << found->second;
                ExpectNear(numbers[0] + numbers[1] / 60 + numbers[2] / 3600, std::stod(e.exiftool));
                break;
            }
        }
    }
}

TEST(RealPhotos, EveryPhotoReadsWithoutTrouble) {
    QUORVANE_REQUIRE_TEST_PHOTOS();
    ExifOptions options;
    options.makerNotes = true;
    int read = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(quorvane::test::TestPhotosDir())) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md")
            continue;
        SCOPED_TRACE(entry.path().string());
        std::vector<std::string> items;
        int code = ReadReport(entry.path().string(), items, options);
        EXPECT_TRUE(code == kReportDone || code == kReportNoTiffMagic) << code;
        ++read;
    }
    EXPECT_GT(read, 40);
}
