// What scripts rely on beyond the texts: an output that cannot be written fails the command.
#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using quorvane::test::RunCliBytes;
using quorvane::test::TempDir;

namespace {

namespace fs = std::filesystem;

const std::string kLayout = "[PAPER]\nwidth=1200\nheight=800\n[PHOTO]\nphoto_width=500\n"
                            "photo_height=300\n[INPUT]\nCHECKBOX7=1\n";

std::string Examples() {
    return (quorvane::test::SourceDir() / "examples/photos").string();
}

TEST(ScriptOutput, AFullStdoutFailsEveryCommandWithTheReason) {
    TempDir dir;
    quorvane::test::WriteFile(dir / "layout.ini", kLayout);
    const std::string english = "Could not write the standard output.\nThe disk is full.\n";
    const struct {
        std::vector<std::string> args;
        std::string language; // LC_ALL of the run
        std::string message;
    } cases[] = {
        {{"--help", "-en"}, "C.UTF-8", english},
        {{"list", "--help", "--en"}, "C.UTF-8", english},
        {{"list", Examples(), "--en"}, "C.UTF-8", english},
        {{"list", Examples()},
         "ja_JP.UTF-8",
         "標準出力に書き込めませんでした。\nディスクに空きがありません。\n"},
        {{"exif", Examples() + "/IMG_0001.JPG", "--en"}, "C.UTF-8", english},
        {{"calc", (quorvane::test::SourceDir() / "initdata/CustomSize0001.ini").string(), "--en"},
         "C.UTF-8",
         english},
        // The run goes on and writes its pages; the lost path lines are said after it.
        {{"sheets", "--source", Examples(), "--dest", (dir / "out").string(), "--layout",
          (dir / "layout.ini").string(), "--no-stamp-folder", "--en"},
         "C.UTF-8",
         "Created the sheet.\n" + english},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const auto run =
            RunCliBytes(c.args, dir / "config", {"/dev/full", {}, {"LC_ALL=" + c.language}});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.message);
    }
    EXPECT_TRUE(fs::exists(dir / "out/IndexSheetFolder/page0002.jpg"));
}

} // namespace
