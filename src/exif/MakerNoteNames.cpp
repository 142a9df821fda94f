#include "exif/MakerNoteNames.h"

#include "text/TextDecode.h"

namespace quorvane::exif {

namespace {

struct MakerTagTitle {
    int tag;
    std::string_view english;
    std::string_view japanese;
};

constexpr MakerTagTitle kNikonTags[] = {
    {1, "Makernote Version", "メーカーノートバージョン"},
    {2, "ISO Speed Used", "撮影ISOスピード"},
    {4, "Quality", "画質"},
    {5, "White Balance", "ホワイトバランス"},
    {6, "Sharpness", "シャープネス"},
    {7, "Focus Mode", "フォーカスモード"},
    {8, "Flash Setting", "フラッシュ設定"},
    {9, "Flash Mode", "フラッシュモード"},
    {11, "White Balance Bias", "ホワイトバランスバイアス値"},
    {34, "Flash Compensation", "フラッシュ補正値"},
    {35, "ISO Speed Set Value", "設定ISOスピード"},
    {38, "Image Size", "画面ピクセルサイズ"},
    {129, "Tone Compensation ", "トーン補正"},
    {131, "Lens Type", "レンズタイプ"},
    {132, "Lens", "レンズ"},
    {135, "Is Use Flash", "フラッシュ使用有無"},
    {136, "Focus Area", "オートフォーカスエリア"},
    {137, "Shooting Mode", "撮影モード"},
    {141, "ColorHue", "カラー設定"},
    {144, "Light Type", "ライトタイプ"},
    {145, "Shooting Info", "撮影情報"},
    {146, "Hue Adjustment", "補正設定"},
    {149, "NOise Reduction", "ノイズ除去"},
    {151, "Color Balance", "カラーバランス"},
    {152, "Lens Data", "レンズデータ"},
    {154, "Sencor Pix Size", "センサーサイズ"},
    {160, "Serial Number", "シリアルナンバー"},
    {162, "File Size", "ファイルサイズ"},
    {167, "Total Sutter Ct", "累積撮影回数"},
    {168, "Flash Info", "フラッシュ情報"},
    {169, "ImageOptimize", "画像最適化"},
    {170, "Saturation", "彩度"},
    {171, "Digital Vari-Program", "デジタルイメージプログラム"},
};

constexpr MakerTagTitle kCanonTags[] = {
    {1, "Camera Settings", "カメラ設定情報"},
    {2, "Forcal Lenghts", "焦点距離設定"},
    {4, "Shotting Info", "撮影情報"},
    {6, "Image Type", "イメージタイプ"},
    {7, "Software", "ソフトウェア"},
    {9, "Owner", "所有者"},
    {12, "Serial Number", "シリアルナンバー"},
    {13, "Camera Info", "カメラ機種別情報"},
    {14, "File Size", "ファイルサイズ"},
    {15, "Custom Functions", "カスタムファンクション"},
    {16, "Camera Model Name", "カメラモデル名称"},
    {18, "Auto Forcus Info", "オートフォーカス情報"},
    {21, "Serial Number Format", "シリアルナンバー形式"},
    {149, "Lens Model Name", "レンスモデル名"},
    {160, "Color Processing", "色設定情報"},
    {170, "Measured Color", "色測定情報"},
    {180, "Color Space", "色空間"},
    {16385, "Color Data", "色情報"},
};

template <size_t N>
std::string_view Lookup(const MakerTagTitle (&table)[N], int tag, bool japanese) {
    for (const MakerTagTitle& row : table)
        if (row.tag == tag)
            return japanese ? row.japanese : row.english;
    return {};
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

bool IsNikonMake(const std::string& make) {
    std::string upper = text::AsciiUpper(make);
    return upper == "NIKON CORPORATION" || StartsWith(upper, "NIKON");
}

bool IsCanonMake(const std::string& make) {
    std::string upper = text::AsciiUpper(make);
    return upper == "CANON" || StartsWith(upper, "CANON");
}

bool IsFujifilmMake(const std::string& make) {
    return text::AsciiUpper(make) == "FUJIFILM";
}

bool IsSanyoMake(const std::string& make) {
    return StartsWith(make, "SANYO");
}

bool IsOlympusMake(const std::string& make) {
    return StartsWith(make, "OLYMPUS");
}

bool IsRicohMake(const std::string& make) {
    std::string upper = text::AsciiUpper(make);
    return upper == "RICOH      " || StartsWith(upper, "RICOH");
}

std::string BuiltInMakerTagName(const std::string& make, int nameSet, int tag, bool japanese) {
    if (nameSet == kNikonNameSet && IsNikonMake(make))
        return std::string(Lookup(kNikonTags, tag, japanese));
    if (nameSet == kCanonNameSet && IsCanonMake(make))
        return std::string(Lookup(kCanonTags, tag, japanese));
    return {};
}

} // namespace quorvane::exif
