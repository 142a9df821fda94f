// Quorvane.ini defaults and ranges, atomic writing that keeps other lines, the first-run copy,
// the path tidy rule and the language switch.
#include "app/AppConfig.h"
#include "app/AppContext.h"
#include "files/PathRules.h"
#include "language/Language.h"
#include "language/QtTranslations.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

struct ConfigCase {
    const char* name;
    const char* file; // nullptr: no file at all
    const char* readPath;
    const char* savePath;
    int col;
    int cap;
};

class AppConfigCases : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(AppConfigCases, ReadsDefaultsAndRanges) {
    const ConfigCase& c = GetParam();
    TempDir dir;
    if (c.file)
        test::WriteFile(dir / "Quorvane.ini", c.file);
    const AppConfig config = LoadAppConfig(dir.str().c_str(), QStringLiteral("/home/op"));
    EXPECT_EQ(config.readPath, QString::fromUtf8(c.readPath));
    EXPECT_EQ(config.savePath, QString::fromUtf8(c.savePath));
    EXPECT_EQ(config.maxTagLineCol, c.col);
    EXPECT_EQ(config.maxDumpBinCt, c.cap);
}

INSTANTIATE_TEST_SUITE_P(
    Quorvane, AppConfigCases,
    ::testing::Values(
        ConfigCase{"NoFile", nullptr, "/home/op", "", 16, 32},
        ConfigCase{"KeysMissing", "[SETTING]\n", "", "", 32, 64},
        ConfigCase{"OutOfRange", "[SETTING]\nmaxTagLineCol=3\nmaxDumpBinCt=9000\n", "", "", 16, 32},
        ConfigCase{"Limits", "[SETTING]\nmaxTagLineCol=256\nmaxDumpBinCt=4\n", "", "", 256, 4},
        ConfigCase{"NotNumbers", "[SETTING]\nmaxTagLineCol=12a\nmaxDumpBinCt=\n", "", "", 32, 64},
        ConfigCase{"CaseAndSpaces",
                   "[setting]\r\nREADPATH = /photos/夏 \r\nsavepath=/out\r\nmaxtaglinecol= 8\r\n",
                   "/photos/夏", "/out", 8, 64},
        ConfigCase{"FirstKeyWins", "[SETTING]\nreadPath=/a\nreadPath=/b\n", "/a", "", 32, 64},
        ConfigCase{"Cp932", "[SETTING]\nreadPath=/\x8E\xCA\x90\x5E\n", "/写真", "", 32, 64}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppConfig, WritesReadPathWithNumbersAndKeepsOtherLines) {
    TempDir dir;
    test::WriteFile(dir / "Quorvane.ini",
                    "; operator notes\n[SETTING]\nsavePath=/out\nmaxDumpBinCt=64\n"
                    "[OTHER]\nkey=v\n");
    AppConfig config;
    config.readPath = QStringLiteral("/photos/a,b/");
    config.maxTagLineCol = 16;
    config.maxDumpBinCt = 32;
    ASSERT_TRUE(SaveReadPath(dir.str().c_str(), config));
    EXPECT_EQ(test::ReadFile(dir / "Quorvane.ini"),
              "; operator notes\n[SETTING]\nsavePath=/out\nmaxDumpBinCt=32\nreadPath=/photos/a,b\n"
              "maxTagLineCol=16\n[OTHER]\nkey=v\n");

    config.savePath = QStringLiteral("/saved");
    ASSERT_TRUE(SaveSavePath(dir.str().c_str(), config));
    const AppConfig back = LoadAppConfig(dir.str().c_str(), QStringLiteral("/home"));
    EXPECT_EQ(back.savePath, QStringLiteral("/saved"));
    EXPECT_EQ(back.readPath, QStringLiteral("/photos/a,b"));
    EXPECT_EQ(back.maxTagLineCol, 16);
}

TEST(AppConfig, CreatesTheFileWhenMissingAndFailsQuietlyWithoutFolder) {
    TempDir dir;
    AppConfig config;
    config.savePath = QStringLiteral("/s");
    EXPECT_TRUE(SaveSavePath(dir.str().c_str(), config));
    EXPECT_EQ(test::ReadFile(dir / "Quorvane.ini"), "[SETTING]\nsavePath=/s\n");
    EXPECT_FALSE(SaveSavePath(Q(dir / "missing"), config));
    EXPECT_FALSE(QFile::exists(Q(dir / "missing")));
}

TEST(AppConfig, LeavesAFileItCannotReadAlone) {
    TempDir dir;
    // Larger than any INI file the reader accepts (sparse, so cheap to make).
    test::WriteFile(dir / "Quorvane.ini", "[SETTING]\nother=kept\n");
    std::filesystem::resize_file(dir / "Quorvane.ini", 65u << 20);
    AppConfig config;
    config.readPath = QStringLiteral("/photos");
    EXPECT_FALSE(SaveReadPath(dir.str().c_str(), config));
    EXPECT_EQ(std::filesystem::file_size(dir / "Quorvane.ini"), 65u << 20);
}

TEST(SettingsFolder, FirstRunCopiesFlatSkippingDotNamesAndSecondRunCopiesNothing) {
    TempDir dir;
    test::WriteFile(dir / "prog/initdata/CustomSize0001.ini", "a");
    test::WriteFile(dir / "prog/initdata/makers/Canon.ini", "b");
    test::WriteFile(dir / "prog/initdata/.hidden", "c");
    const QString settings = Q(dir / "home/.config/Quorvane/initdata");
    ASSERT_TRUE(PrepareSettingsFolder(settings, Q(dir / "prog/initdata")));
    QStringList names = QDir(settings).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    EXPECT_EQ(names, (QStringList{"Canon.ini", "CustomSize0001.ini"}));

    test::WriteFile(dir / "prog/initdata/CustomSize0002.ini", "new");
    ASSERT_TRUE(PrepareSettingsFolder(settings, Q(dir / "prog/initdata")));
    EXPECT_FALSE(QFile::exists(settings + "/CustomSize0002.ini"));
}

TEST(SettingsFolder, MissingSourceCopiesNothingAndUnmakeableFolderFails) {
    TempDir dir;
    EXPECT_TRUE(PrepareSettingsFolder(Q(dir / "s"), Q(dir / "nowhere")));
    EXPECT_TRUE(QDir(Q(dir / "s")).isEmpty());
    test::WriteFile(dir / "file", "x");
    EXPECT_FALSE(PrepareSettingsFolder(Q(dir / "file/sub"), Q(dir / "nowhere")));
}

TEST(PathRules, StripAndEnsure) {
    EXPECT_EQ(StripPath("/photos/"), "/photos");
    EXPECT_EQ(StripPath("/photos"), "/photos");
    EXPECT_EQ(StripPath("/a//"), "/a/");
    EXPECT_EQ(StripPath(""), "/");
    EXPECT_EQ(StripPath("/"), "/");
    EXPECT_EQ(EnsurePath("/photos"), "/photos/");
    EXPECT_EQ(EnsurePath("/photos/"), "/photos/");
    EXPECT_EQ(EnsurePath("a"), "/");
}

TEST(Language, EnglishSwitchIsWholeAndCaseInsensitive) {
    EXPECT_EQ(LanguageFromArguments(1041, {"/usr/bin/quorvane"}), 1041);
    EXPECT_EQ(LanguageFromArguments(1041, {"/usr/bin/quorvane", "-EN"}), 1042);
    EXPECT_EQ(LanguageFromArguments(1041, {"/usr/bin/quorvane", "-english"}), 1041);
    EXPECT_EQ(LanguageFromArguments(1041, {"-en"}), 1042); // the program path counts too
    EXPECT_EQ(LanguageFromArguments(1033, {"quorvane"}), 1033);
    EXPECT_TRUE(IsJapanese(1041));
    EXPECT_FALSE(IsJapanese(1042));
}

} // namespace

TEST(QtTranslations, StandardDialogsSpeakJapaneseInTheJapaneseInterface) {
    EXPECT_FALSE(quorvane::InstallQtTranslations(false));
    ASSERT_TRUE(quorvane::InstallQtTranslations(true));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}
