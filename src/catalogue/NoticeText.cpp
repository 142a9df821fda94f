#include "catalogue/NoticeText.h"

#include "catalogue/Arguments.h"

namespace quorvane {

namespace {

using text::NoticeCode;

// The texts of one code; "%1".."%9" stand for its arguments. No English text: the Japanese one
// in both languages.
struct Entry {
    const char* ja;
    const char* en;
};

Entry EntryOf(NoticeCode code) {
    switch (code) {
    case NoticeCode::kSheetsCreated:
        return {"シートを作成しました。", "Created the sheet."};
    case NoticeCode::kLayoutSaved:
        return {"%1 へ設定を保存しました。", nullptr};
    case NoticeCode::kLayoutOverwritten:
        return {"%1 へ設定を上書き保存しました。", nullptr};
    case NoticeCode::kSettingsFolderUnmakeable:
        return {"設定フォルダを作成できません。設定は保存されず、初期値で動作します。\n%1",
                "The settings folder cannot be made, so no settings are kept and defaults are "
                "used.\n%1"};
    case NoticeCode::kNoJapaneseFont:
        return {"日本語を表示できるフォントがありません。シートの日本語の文字は四角で表示されます。"
                "Debian のパッケージ fonts-ipafont-gothic と fonts-ipafont-mincho をインストール"
                "してください。",
                "No font that draws Japanese is installed, so Japanese text on the sheets would "
                "show as boxes. Install the Debian packages fonts-ipafont-gothic and "
                "fonts-ipafont-mincho."};
    case NoticeCode::kWindowsBackgroundPath:
        return {"レイアウト %1（%2）の背景画像は Windows のパスで、このコンピューターにはありませ"
                "ん。設定を編集して背景画像を選び直してください: %3",
                "The layout %1 (%2) names its background image by a Windows path, which does not "
                "exist here. Edit the layout and choose the image again: %3"};
    case NoticeCode::kPhotoKindNotRead:
        return {"読み込めない形式のためスキップしました: %1", "skipped, format not supported: %1"};
    case NoticeCode::kRunFileKept:
        return {"既にあるため、上書きしませんでした:\n%1",
                "Already in the folder, so not overwritten:\n%1"};
    case NoticeCode::kCount:
        break;
    }
    return {"", ""};
}

} // namespace

QString NoticeText(const text::Notice& notice, bool japanese) {
    const Entry entry = EntryOf(notice.code);
    return PutArguments(japanese || !entry.en ? entry.ja : entry.en, notice.args);
}

} // namespace quorvane
