// The tag name tables: sizes, kinds and texts that are easy to get wrong.
#include "exif/TagNames.h"

#include <gtest/gtest.h>

using namespace quorvane::exif;

TEST(TagNames, TableSizesAndKinds) {
    auto countTags = [](int kind, bool japanese) {
        int n = 0;
        for (int tag = 0; tag <= 0xFFFF; ++tag)
            n += !TagName(kind, tag, japanese).empty();
        return n;
    };
    for (bool ja : {false, true}) {
        EXPECT_EQ(countTags(0, ja), 103);
        EXPECT_EQ(countTags(1, ja), 103);
        EXPECT_EQ(countTags(2, ja), 103);
        EXPECT_EQ(countTags(3, ja), 32);
        EXPECT_EQ(countTags(4, ja), 2);
        EXPECT_EQ(countTags(5, ja), 0);
        EXPECT_EQ(countTags(-1, ja), 0);
    }
}

TEST(TagNames, Texts) {
    struct Case {
        int kind, tag;
        const char* english;
        const char* japanese;
    };
    const Case cases[] = {
        {0, 271, "Make", "撮影機器のメーカー名"},
        {2, 271, "Make", "撮影機器のメーカー名"},
        {0, 256, "ImageWidth", "画像幅(ピクセル)"},
        {0, 318, "WhitePoint", "参照白色点\u3000色度座標値"},
        {0, 514, "JPEGInterchangeFormatLength", "JPEG\u3000データのバイト数"},
        {0, 530, "YCbCrSubSampling", "YCC の画素構成 (Cの間引き率)"},
        {0, 34853, "GPSInfoIFDPointer", "GPS情報タグ\u3000ポインタ"},
        {2, 34868, "ISOSpeedLatitudeyyy", "ISOスピードラチチュードyyy"},
        {2, 37381, "MaxApertureValue", "レンズ最小\uFF26値"},
        {2, 37500, "MakerNote", "メーカーノート"},
        {2, 37522, "SubSecTimeDigitized", "データ作成日時\u3000サブセック"},
        {2, 40965, "InteroperabilityIFDPointer", "互換性IFD\u3000ポインタ"},
        {2, 42240, "Gamma", "再生ガンマ値"},
        {3, 0, "GPSVersionID", "GPS タグバージョン"},
        {3, 1, "GPSLatitudeRef", "GPS 北緯/南緯(N/S)"},
        {3, 2, "GPSLatitude", "GPS 緯度"},
        {3, 4, "GPSLongitude", "GPS 緯度"},
        {3, 22, "GPSDestLongitude", "GPS 目的地の軽度"},
        {3, 31, "GPSHPositioningError", "GPS 水平方向測位誤差"},
        {4, 1, "InteroperabilityIndex", "互換性識別子"},
        {4, 2, "InteroperabilityVersion", "互換性バージョン"},
        // No fallback from one table to another.
        {0, 1, "", ""},
        {3, 271, "", ""},
        {4, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << "/" << c.tag);
        EXPECT_EQ(TagName(c.kind, c.tag, false), c.english);
        EXPECT_EQ(TagName(c.kind, c.tag, true), c.japanese);
    }
    EXPECT_EQ(EntryName(0, 50000, true), "TAGID(50000)");
    EXPECT_EQ(EntryName(3, 271, false), "TAGID(271)");
    EXPECT_EQ(EntryName(0, 271, false), "Make");
}
