#include "exif/TagNames.h"

#include <array>

namespace quorvane::exif {

namespace {

struct TagTitle {
    int tag;
    std::string_view english;
    std::string_view japanese;
};

// IFD0 and the Exif IFD (also the thumbnail IFD).
constexpr TagTitle kMainTags[] = {
    {256, "ImageWidth", "画像幅(ピクセル)"},
    {257, "ImageLength", "画像高さ(ピクセル)"},
    {258, "BitsPerSample", "ビット深度"},
    {259, "Compression", "圧縮の種類"},
    {262, "PhotometricInterpretation", "画素構成"},
    {270, "ImageDescription", "画像タイトル"},
    {271, "Make", "撮影機器のメーカー名"},
    {272, "Model", "撮影機器のモデル名"},
    {273, "StripOffsets", "画像データへのオフセット"},
    {274, "Orientation", "画像方向"},
    {277, "SamplesPerPixel", "コンポーネント数"},
    {278, "RowsPerStrip", "ストリップ当たりの行数"},
    {279, "StripByteCounts", "ストリップのバイト数"},
    {282, "XResolution", "画像幅解像度"},
    {283, "YResolution", "画像高さ解像度"},
    {284, "PlanarConfiguration", "データ並び"},
    {296, "ResolutionUnit", "解像度単位"},
    {301, "TransferFunction", "再生階調カーブ特性"},
    {305, "Software", "ソフトウェア"},
    {306, "DateTime", "ファイル更新日時"},
    {315, "Artist", "撮影者"},
    {318, "WhitePoint", "参照白色点　色度座標値"},
    {319, "PrimaryChromaticities", "原点　色度座標値"},
    {513, "JPEGInterchangeFormat", "JPEG SOIへのオフセット"},
    {514, "JPEGInterchangeFormatLength", "JPEG　データのバイト数"},
    {529, "YCbCrCoefficients", "色変換マトリクス計数"},
    {530, "YCbCrSubSampling", "YCC の画素構成 (Cの間引き率)"},
    {531, "YCbCrPositioning", "YCCの画素構成(YとCの位置)"},
    {532, "ReferenceBlackWhite", "参照黒色点値・参照白色点値"},
    {18246, "Rating", "レート"},
    {33432, "Copyright", "著作権"},
    {33434, "ExposureTime", "露出時間"},
    {33437, "FNumber", "F値"},
    {34665, "ExifIFDPointer", "Exifタグ　ポインタ"},
    {34850, "ExposureProgram", "露出プログラム"},
    {34852, "SpectralSensitivity", "スペクトル感度"},
    {34853, "GPSInfoIFDPointer", "GPS情報タグ　ポインタ"},
    {34855, "PhotographicSensitivity", "撮影感度"},
    {34856, "OECF", "光電変換関数"},
    {34864, "SensitivityType", "感度種別"},
    {34865, "StandardOutputSensitivity", "標準出力感度"},
    {34866, "RecommendedExposureIndex", "推奨出力感度"},
    {34867, "ISOSpeed", "ISOスピード"},
    {34868, "ISOSpeedLatitudeyyy", "ISOスピードラチチュードyyy"},
    {34869, "ISOSpeedLatitudezzz", "ISOスピードラチチュードzzz"},
    {36864, "ExifVersion", "Exifバージョン"},
    {36867, "DateTimeOriginal", "データ撮影日時"},
    {36868, "DateTimeDigitized", "データ作成日時"},
    {37121, "ComponentsConfiguration", "各コンポーネントの意味"},
    {37122, "CompressedBitsPerPixel", "画素圧縮モード"},
    {37377, "ShutterSpeedValue", "シャッター速度"},
    {37378, "ApertureValue", "絞り値"},
    {37379, "BrightnessValue", "輝度値"},
    {37380, "ExposureBiasValue", "露出補正値"},
    {37381, "MaxApertureValue", "レンズ最小Ｆ値"},
    {37382, "SubjectDistance", "被写体深度"},
    {37383, "MeteringMode", "測光公式"},
    {37384, "LightSource", "光源"},
    {37385, "Flash", "フラッシュ"},
    {37386, "FocalLength", "レンズ焦点距離"},
    {37396, "SubjectArea", "被写体領域"},
    {37500, "MakerNote", "メーカーノート"},
    {37510, "UserComment", "コメント"},
    {37520, "SubSecTime", "更新日時　サブセック"},
    {37521, "SubSecTimeOriginal", "データ撮影日時　サブセック"},
    {37522, "SubSecTimeDigitized", "データ作成日時　サブセック"},
    {40960, "FlashPixVersion", "対応フラッシュピックスバージョン"},
    {40961, "ColorSpace", "色空間"},
    {40962, "PixelXDimension", "有効画像幅"},
    {40963, "PixelYDimension", "有効画素高さ"},
    {40964, "RelatedSoundFile", "関連音声ファイル"},
    {40965, "InteroperabilityIFDPointer", "互換性IFD　ポインタ"},
    {41483, "FlashEnergy", "フラッシュ強度"},
    {41484, "SpatialFrequencyResponse", "空間周波数応答"},
    {41486, "FocalPlaneXResolution", "焦点面　幅の解像度"},
    {41487, "FocalPlaneYResolution", "焦点面　高さの解像度"},
    {41488, "FocalPlaneResolutionUnit", "焦点面解像度単位"},
    {41492, "SubjectLocation", "被写体位置"},
    {41493, "ExposureIndex", "露出インデックス"},
    {41495, "SensingMethod", "センサー方式"},
    {41728, "FileSource", "ファイルソース"},
    {41729, "SceneType", "シーン種別"},
    {41730, "CFAPattern", "CFAパターン"},
    {41985, "CustomRendered", "カスタム画像処理"},
    {41986, "ExposureMode", "露出モード"},
    {41987, "WhiteBalance", "ホワイトバランス"},
    {41988, "DigitalZoomRatio", "デジタルズーム倍率"},
    {41989, "FocalLengthIn35mmFormat", "35mm換算レンズ焦点距離"},
    {41990, "SceneCaptureType", "撮影シーンタイプ"},
    {41991, "GainControl", "ゲイン制御"},
    {41992, "Contrast", "撮影コントラスト"},
    {41993, "Saturation", "撮影彩度"},
    {41994, "Sharpness", "シャープネス"},
    {41995, "DeviceSettingDescription", "撮影設定情報"},
    {41996, "SubjectDistanceRange", "被写体距離レンジ"},
    {42016, "ImageUniqueID", "画像ユニークID"},
    {42032, "CameraOwnerName", "カメラ所有者名"},
    {42033, "BodySerialNumber", "カメラシリアルナンバー"},
    {42034, "LensSpecification", "レンズ仕様情報"},
    {42035, "LensMake", "レンズメーカー名"},
    {42036, "LensModel", "レンズモデル名"},
    {42037, "LensSerialNumber", "レンズシリアルナンバー"},
    {42240, "Gamma", "再生ガンマ値"},
};

constexpr TagTitle kGpsTags[] = {
    {0, "GPSVersionID", "GPS タグバージョン"},
    {1, "GPSLatitudeRef", "GPS 北緯/南緯(N/S)"},
    {2, "GPSLatitude", "GPS 緯度"},
    {3, "GPSLongitudeRef", "GPS 東経/西経(E/W)"},
    {4, "GPSLongitude", "GPS 緯度"},
    {5, "GPSAltitudeRef", "GPS 高度基準"},
    {6, "GPSAltitude", "GPS 高度"},
    {7, "GPSTimeStamp", "GPS 時間"},
    {8, "GPSSatellites", "GPS 測位に使用した衛星信号"},
    {9, "GPSStatus", "GPS 受信ステータス"},
    {10, "GPSMeasureMode", "GPS 測位方法"},
    {11, "GPSDOP", "GPS 信頼性"},
    {12, "GPSSpeedRef", "GPS 速度の単位"},
    {13, "GPSSpeed", "GPS 速度"},
    {14, "GPSTrackRef", "GPS 進行方向単位"},
    {15, "GPSTrack", "GPS 進行方向"},
    {16, "GPSImgDirectionRef", "GPS 撮影画像の方向単位"},
    {17, "GPSImgDirection", "GPS 撮影画像の方向"},
    {18, "GPSMapDatum", "GPS 測距に使用した地図データ"},
    {19, "GPSDestLatitudeRef", "GPS 目的地の北緯/南緯(N/S)"},
    {20, "GPSDestLatitude", "GPS 目的地の緯度"},
    {21, "GPSDestLongitudeRef", "GPS 目的地の東経/西経(E/W)"},
    {22, "GPSDestLongitude", "GPS 目的地の軽度"},
    {23, "GPSBearingRef", "GPS 方角基準"},
    {24, "GPSBearing", "GPS 方角"},
    {25, "GPSDestDistanceRef", "GPS 目的地の距離単位"},
    {26, "GPSDestDistance", "GPS 目的地の距離"},
    {27, "GPSProcessingMethod", "GPS 測位方式"},
    {28, "GPSAreaInformation", "GPS 測位地点名"},
    {29, "GPSDateStamp", "GPS 日付"},
    {30, "GPSDifferential", "GPS 測位補正"},
    {31, "GPSHPositioningError", "GPS 水平方向測位誤差"},
};

constexpr TagTitle kInteroperabilityTags[] = {
    {1, "InteroperabilityIndex", "互換性識別子"},
    {2, "InteroperabilityVersion", "互換性バージョン"},
};

template <size_t N> std::string_view Lookup(const TagTitle (&table)[N], int tag, bool japanese) {
    for (const TagTitle& row : table)
        if (row.tag == tag)
            return japanese ? row.japanese : row.english;
    return {};
}

} // namespace

std::string TagName(int ifdKind, int tag, bool japanese) {
    switch (ifdKind) {
    case kIfdKindIfd0:
    case kIfdKindIfd1:
    case kIfdKindExif:
        return std::string(Lookup(kMainTags, tag, japanese));
    case kIfdKindGps:
        return std::string(Lookup(kGpsTags, tag, japanese));
    case kIfdKindInteroperability:
        return std::string(Lookup(kInteroperabilityTags, tag, japanese));
    default:
        return {};
    }
}

std::string EntryName(int ifdKind, int tag, bool japanese) {
    std::string name = TagName(ifdKind, tag, japanese);
    if (name.empty())
        name = "TAGID(" + std::to_string(tag) + ")";
    return name;
}

} // namespace quorvane::exif
