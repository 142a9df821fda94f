// What scripts rely on beyond the texts: an output that cannot be written fails the command,
// every name stays on its line (escaped C-style), messages carry no raw control characters, and
// "--" ends the options.
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

// `stem` names the photo folder and (with ".jpg") the photo in it; `field` is how `list` shows
// it, `line` its bytes on the path lines of `sheets`.
TEST(ScriptOutput, NamesStayOnTheirLineEscaped) {
    TempDir dir;
    quorvane::test::WriteFile(dir / "layout.ini", kLayout);
    const struct {
        std::string stem, field, line;
    } cases[] = {
        {"plain name", "plain name", "plain name"},
        {"new\nline", "new\\nline", "new\\nline"},
        {"tab\there", "tab\\there", "tab\\there"},
        {"cr\rhere", "cr\\rhere", "cr\\rhere"},
        {"esc\x1b[31mred", "esc\\x1b[31mred", "esc\\x1b[31mred"},
        {"back\\slash", "back\\\\slash", "back\\\\slash"},
        {"del\x7f", "del\\x7f", "del\\x7f"},
        // CP932 "テスト": shown decoded, printed in its own bytes.
        {"\x83\x65\x83\x58\x83\x67", "テスト", "\x83\x65\x83\x58\x83\x67"},
        // CP932 "ソ", whose second byte is a backslash.
        {"\x83\x5c", "ソ", "\x83\\\\"},
        // A byte that is no text shown as \xff: a backslash after it stays told apart.
        {"\xff\\x41", "\\xff\\\\x41", "\xff\\\\x41"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const std::string parent = dir.str() + "/" + std::to_string(++n);
        const std::string folder = parent + "/" + c.stem;
        fs::create_directories(folder);
        fs::copy_file(Examples() + "/IMG_0001.JPG", folder + "/" + c.stem + ".jpg");

        const auto list = RunCliBytes({"list", folder, "--en"}, dir / "config");
        EXPECT_EQ(list.exitCode, 0) << list.err;
        EXPECT_EQ(list.out,
                  "1\t" + c.field + ".jpg\t2017/03/04 \t" + parent + "/" + c.field + "/\n");

        const auto sheets =
            RunCliBytes({"sheets", "--source", folder, "--dest", folder, "--layout",
                         (dir / "layout.ini").string(), "--no-stamp-folder", "--en"},
                        dir / "config");
        EXPECT_EQ(sheets.exitCode, 0) << sheets.err;
        const std::string output = parent + "/" + c.line + "/IndexSheetFolder";
        EXPECT_EQ(sheets.out, output + "\n" + output + "/page0001.jpg\n");
    }
}

// Names in messages keep their line breaks, tabs and backslashes; other control characters
// (the escape that starts a terminal's control sequences) are escaped.
TEST(ScriptOutput, MessagesCarryNoRawControlCharacters) {
    TempDir dir;
    const struct {
        std::string name, shown;
    } cases[] = {
        {"esc\x1b]0;title\x07", "esc\\x1b]0;title\\x07"},
        {"cr\rhere", "cr\\rhere"},
        {"nul\x01", "nul\\x01"},
        {"tab\tand\nline", "tab\tand\nline"},
        {"back\\slash", "back\\slash"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const std::string photo = dir.str() + "/" + c.name + ".jpg";
        const auto run = RunCliBytes({"exif", photo, "--en"}, dir / "config");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err,
                  "The file does not exist: " + dir.str() + "/" + c.shown + ".jpg\nresult -1\n");
    }
}

// After "--" every argument is an operand, however it begins; sheets takes none.
TEST(ScriptOutput, DoubleDashEndsTheOptions) {
    TempDir dir;
    fs::create_directories(dir / "-photos");
    fs::copy_file(Examples() + "/IMG_0001.JPG", dir / "-photos/-rf.jpg");
    quorvane::test::WriteFile(dir / "-layout.ini", kLayout);
    const std::string layout =
        (quorvane::test::SourceDir() / "initdata/CustomSize0001.ini").string();
    fs::copy_file(layout, dir / "-input.ini");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out; // the start of stdout
        std::string err; // the start of stderr
    } cases[] = {
        {{"list", "--en", "--", "-photos"}, 0, "1\t-rf.jpg\t2017/03/04 \t-photos/\n", ""},
        {{"list", "--", "--en"}, 1, "", "The photo folder does not exist: --en"},
        {{"list", "--", "-photos", "--", "--en"}, 2, "", "quorvane-cli: one photo folder only"},
        {{"exif", "--", "-photos/-rf.jpg"}, 0, "MM :", ""},
        {{"calc", "--", "-input.ini"}, 0, "[PAPER]", ""},
        {{"sheets", "--source", "-photos", "--dest", "out", "--layout", "-layout.ini", "--en",
          "--"},
         0,
         "out/IndexSheetFolder/",
         ""},
        {{"sheets", "--source", "-photos", "--dest", "out", "--layout", "-layout.ini", "--",
          "--en"},
         2,
         "",
         "quorvane-cli: unknown argument --en\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1] + " " + c.args[2]);
        const auto run = RunCliBytes(c.args, dir / "config", {{}, dir.path(), {}});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out.substr(0, c.out.size()), c.out);
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
    }
}

} // namespace
