// The catalogue of the core's notices: every code has both texts with the same arguments (the
// settings editor's saves read in Japanese in both), and the arguments go in once and in order.
#include "catalogue/NoticeText.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace quorvane;
using text::Notice;
using text::NoticeCode;

TEST(NoticeText, EveryCodeHasBothTextsWithTheSameArguments) {
    const std::vector<std::string> marks = {"<1>", "<2>", "<3>", "<4>"};
    const QRegularExpression japaneseChars(
        QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    const std::set<NoticeCode> japaneseInBoth = {NoticeCode::kLayoutSaved,
                                                 NoticeCode::kLayoutOverwritten};
    for (int n = 0; n < static_cast<int>(NoticeCode::kCount); ++n) {
        const Notice notice{static_cast<NoticeCode>(n), marks};
        const QString ja = NoticeText(notice, true);
        const QString en = NoticeText(notice, false);
        EXPECT_TRUE(ja.contains(japaneseChars)) << "code " << n << ": " << ja.toStdString();
        if (japaneseInBoth.count(notice.code)) {
            EXPECT_EQ(en, ja) << "code " << n;
            continue;
        }
        EXPECT_FALSE(en.isEmpty()) << "code " << n;
        EXPECT_FALSE(en.contains(japaneseChars)) << "code " << n << ": " << en.toStdString();
        for (const std::string& mark : marks)
            EXPECT_EQ(ja.contains(QString::fromStdString(mark)),
                      en.contains(QString::fromStdString(mark)))
                << "code " << n << " " << mark;
    }
}

TEST(NoticeText, ArgumentsGoInOnceInTheirOrder) {
    const struct {
        const char* what;
        Notice notice;
        const char* ja;
        const char* en;
    } cases[] = {
        {"a save names its file, in Japanese in both languages",
         {NoticeCode::kLayoutOverwritten, {"CustomSize0005.ini"}},
         "CustomSize0005.ini へ設定を上書き保存しました。",
         "CustomSize0005.ini へ設定を上書き保存しました。"},
        {"file, name and path in their places, a placeholder in a name kept",
         {NoticeCode::kWindowsBackgroundPath, {"CustomSize0003.ini", "%3 four", "C:\\bg.jpg"}},
         "レイアウト CustomSize0003.ini（%3 four）の背景画像は Windows のパスで、このコンピューター"
         "にはありません。設定を編集して背景画像を選び直してください: C:\\bg.jpg",
         "The layout CustomSize0003.ini (%3 four) names its background image by a Windows path, "
         "which does not exist here. Edit the layout and choose the image again: C:\\bg.jpg"},
        {"the settings folder on a line of its own",
         {NoticeCode::kSettingsFolderUnmakeable, {"/home/a/.config/Quorvane/initdata"}},
         "設定フォルダを作成できません。設定は保存されず、初期値で動作します。\n"
         "/home/a/.config/Quorvane/initdata",
         "The settings folder cannot be made, so no settings are kept and defaults are used.\n"
         "/home/a/.config/Quorvane/initdata"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoticeText(c.notice, true).toStdString(), c.ja) << c.what;
        EXPECT_EQ(NoticeText(c.notice, false).toStdString(), c.en) << c.what;
    }
}
