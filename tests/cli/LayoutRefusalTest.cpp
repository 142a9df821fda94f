// quorvane-cli sheets with a layout edited by hand that no page can use: the refusal names the
// file, section, key and value in the interface's language, and nothing is written.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using quorvane::test::TempDir;

TEST(CliSheets, ARefusedLayoutIsNamedInTheInterfacesLanguage) {
    TempDir dir;
    quorvane::test::WriteFile(dir / "bad.ini", "[PAPER]\nwidth=1200\nheight=800\n[PHOTO]\n"
                                               "photo_col=0\n[INPUT]\nCHECKBOX7=1\n");
    const std::string examples = (quorvane::test::SourceDir() / "examples/photos").string();
    const struct {
        const char* language; // LC_ALL of the run
        std::vector<std::string> options;
        const char* folder;
        const char* err;
    } cases[] = {
        {"ja_JP.UTF-8",
         {},
         "一覧フォルダ",
         "レイアウトファイルに使えない値があります。\nbad.ini [PHOTO] photo_col=0\n"},
        {"ja_JP.UTF-8",
         {"--en"},
         "IndexSheetFolder",
         "The layout file holds a value that cannot be used.\nbad.ini [PHOTO] photo_col=0\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"sheets",
                                         "--source",
                                         examples,
                                         "--dest",
                                         (dir / "out").string(),
                                         "--layout",
                                         (dir / "bad.ini").string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto run = quorvane::test::RunCliBytes(
            args, dir / "config", {{}, {}, {std::string("LC_ALL=") + c.language}});
        EXPECT_EQ(run.exitCode, 1) << c.language;
        EXPECT_EQ(run.err, c.err);
        const auto folder = dir / "out" / c.folder;
        EXPECT_TRUE(!std::filesystem::exists(folder) || std::filesystem::is_empty(folder)) << c.err;
    }
}
