// The text printed under a photo, character for character.
#include "render/UnderPhotoText.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

TEST(UnderPhotoText, FileNameExifLinesAndDate) {
    const QString dashes(40, QLatin1Char('-'));
    const QStringList exif{"II :インテル形式", "Make:    Canon"};
    const QString date = QStringLiteral("2017/03/04 ");
    struct Case {
        UnderPhotoParts parts;
        QStringList exif;
        QString date;
        QString expected;
    };
    const Case cases[] = {
        {{true, false, false, false}, {}, date, "DSC_0001.JPG"},
        {{true, false, true, false}, {}, date, "DSC_0001.JPG 2017/03/04 "},
        {{true, false, true, true}, {}, date, "DSC_0001.JPG\n2017/03/04 "},
        {{true, false, true, true}, {}, "", "DSC_0001.JPG"},
        {{false, false, true, true}, {}, date, "2017/03/04 "},
        {{false, false, true, false}, {}, date, "2017/03/04 "},
        {{true, true, true, false},
         exif,
         date,
         "\n" + dashes + "\nDSC_0001.JPG\nII :インテル形式\nMake:    Canon 2017/03/04 "},
        {{false, true, false, false},
         exif,
         date,
         "\n" + dashes + "\n\nII :インテル形式\nMake:    Canon"},
        {{false, true, false, false}, {}, date, "\n" + dashes + "\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildUnderPhotoText(c.parts, "DSC_0001.JPG", c.exif, c.date), c.expected)
            << c.expected.toStdString();
}

} // namespace
