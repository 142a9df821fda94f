// The batch command as scripts see it: its output lines, messages and exit codes.
#include "HostileJpeg.h"
#include "TestSupport.h"

#include <QProcess>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

using quorvane::test::RunCli;
using quorvane::test::TempDir;

namespace {

class Cli : public ::testing::Test {
  protected:
    std::string Examples() const {
        return (quorvane::test::SourceDir() / "examples/photos").string();
    }
    quorvane::test::ProgramRun Run(const std::vector<std::string>& args) {
        return RunCli(args, dir / "config");
    }
    TempDir dir;
};

TEST_F(Cli, ListPrintsOneLinePerPhotoInOrder) {
    const std::string folder = Examples() + "/";
    auto run = Run({"list", Examples(), "-en"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "1\tbanner_0006.gif\t\t" + folder + "\n" +             //
                           "2\tIMG_0001.JPG\t2017/03/04 \t" + folder + "\n" + //
                           "3\tIMG_0002.JPG\t2019/05/01 \t" + folder + "\n" + //
                           "4\tIMG_0003.jpg\t1989/01/08 \t" + folder + "\n" + //
                           "5\tIMG_0004.jpeg\t2001/02/03 \t" + folder + "\n" +
                           "6\tscan_0005.png\t2001/02/03\t" + folder + "\n");
    run = Run({"list", Examples(), "--era", "--time"});
    EXPECT_NE(run.out.find("2\tIMG_0001.JPG\t平成29年3月4日12:34:56\t"), std::string::npos);
    EXPECT_NE(run.out.find("4\tIMG_0003.jpg\t平成元年1月8日10:00:00\t"), std::string::npos);
    // The first run made the settings folder with the shipped files.
    EXPECT_TRUE(std::filesystem::is_directory(dir / "config/Quorvane/initdata"));
}

TEST_F(Cli, BadArgumentsAndMissingInput) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"list"},
                                                 {"list", "a", "b"},
                                                 {"list", "--bogus", "a"},
                                                 {"frobnicate"},
                                                 {"exif"},
                                                 {"exif", "a.jpg", "--max-tag-line-col", "3"},
                                                 {"sheets", "--source", "a"},
                                                 {"sheets", "--quality", "101"}}) {
        const auto run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << args[0];
        EXPECT_NE(run.err.find("usage: quorvane-cli"), std::string::npos) << args[0];
    }
    EXPECT_EQ(Run({"list", "--help"}).exitCode, 0);
    const auto missing = Run({"list", (dir / "nowhere").string(), "--en"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("The photo folder does not exist"), std::string::npos);
}

TEST_F(Cli, ExifPrintsTheReportAndFailsWithItsCode) {
    auto run = Run({"exif", Examples() + "/IMG_0001.JPG"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "MM :モトローラー形式");
    EXPECT_NE(run.out.find("\nMake:    Canon\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nDateTimeOriginal:    2017:03:04 12:34:56\n"), std::string::npos);
    run = Run({"exif", Examples() + "/IMG_0001.JPG", "--ja", "--max-dump-bin-ct", "10"});
    EXPECT_NE(run.out.find("\n撮影機器のモデル名:    Canon EOS .. ( E Bytes )\n"),
              std::string::npos)
        << run.out;
    // A failure says what is wrong in the interface's language, then the code for scripts.
    quorvane::test::WriteFile(dir / "text.jpg", "not a photo");
    ASSERT_EQ(::mkfifo((dir / "pipe.jpg").c_str(), 0600), 0);
    quorvane::test::WriteFile(dir / "plain.jpg", std::string("\xFF\xD8\xFF\xDB\0\x04\0\0", 8));
    const struct {
        std::string photo;
        const char* language;
        std::string err;
    } failures[] = {
        {Examples() + "/scan_0005.png", "--en",
         "The file is not a JPEG photo: " + Examples() + "/scan_0005.png\nresult -3\n"},
        {(dir / "none.jpg").string(), "--en",
         "The file does not exist: " + (dir / "none.jpg").string() + "\nresult -1\n"},
        {(dir / "text.jpg").string(), "--en",
         "The file is not a JPEG photo: " + (dir / "text.jpg").string() + "\nresult -3\n"},
        {(dir / "plain.jpg").string(), "--en",
         "The photo holds no EXIF data: " + (dir / "plain.jpg").string() + "\nresult -4\n"},
        // A named pipe under a photo's name holds no bytes to read; it never blocks the report.
        {(dir / "pipe.jpg").string(), "--en",
         "Nothing could be read from the file: " + (dir / "pipe.jpg").string() + "\nresult -2\n"},
    };
    for (const auto& f : failures) {
        run = Run({"exif", f.photo, f.language});
        EXPECT_EQ(run.exitCode, 1) << f.photo;
        EXPECT_EQ(run.err, f.err);
    }
}

TEST_F(Cli, EveryHelpNamesItsOptionsExitCodesAndAnExample) {
    const struct {
        const char* command;
        std::vector<const char*> words;
    } cases[] = {
        {"list", {"--subfolders", "--era", "--time", "exit codes:", "example: quorvane-cli list"}},
        {"exif",
         {"--ja", "--maker-notes", "--max-tag-line-col", "--max-dump-bin-ct", "result CODE",
          "exit codes:", "example: quorvane-cli exif"}},
        {"calc", {"--canvas-max", "default 32767", "exit codes:", "example: quorvane-cli calc"}},
        {"sheets",
         {"--title", "--quality", "default 90", "--start", "--end", "--add", "--subfolders",
          "--no-stamp-folder", "--keep-existing", "--full-resolution", "640 pixels",
          "exit codes:", "example: quorvane-cli sheets"}},
    };
    for (const auto& c : cases) {
        const auto run = Run({c.command, "--help"});
        EXPECT_EQ(run.exitCode, 0) << c.command;
        for (const char* word : c.words)
            EXPECT_NE(run.out.find(word), std::string::npos) << c.command << ": " << word;
    }
}

TEST_F(Cli, SheetsPrintsTheFolderThenEachPage) {
    const auto layout = dir / "layout.ini";
    quorvane::test::WriteFile(layout, "[PAPER]\nwidth=1200\nheight=800\n[PHOTO]\nphoto_width=500\n"
                                      "photo_height=300\n[FILEANDDATE]\ndisp_filename=1\n"
                                      "[INPUT]\nCHECKBOX7=1\n");
    auto run = Run({"sheets", "--source", Examples(), "--dest", (dir / "out").string(), "--layout",
                    layout.string(), "--en", "--no-stamp-folder", "--quality", "80"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string folder = (dir / "out/IndexSheetFolder").string();
    EXPECT_EQ(run.out, folder + "\n" + folder + "/page0001.jpg\n" + folder + "/page0002.jpg\n");
    EXPECT_EQ(run.err, "Created the sheet.\n");
    EXPECT_TRUE(std::filesystem::exists(folder + "/page0002.jpg"));

    // An enabled file of [INPUT] alone is a layout of defaults, as the layout list offers it.
    quorvane::test::WriteFile(layout, "[INPUT]\nCHECKBOX7=1\n");
    run = Run({"sheets", "--source", Examples(), "--dest", (dir / "out").string(), "--layout",
               layout.string(), "--en", "--no-stamp-folder", "--keep-existing"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind(folder + "\n", 0), 0u) << run.out;
}

// --title with a layout that draws no title (its title_font_size is 0 or less) is said once on
// stderr before the run, which makes its pages all the same; nothing is said otherwise.
TEST_F(Cli, SheetsSaysWhenTheLayoutShowsNoTitle) {
    const auto initdata = quorvane::test::SourceDir() / "initdata";
    const std::string untitled = (initdata / "CustomSize0001.ini").string();
    const std::string titled = (initdata / "CustomSize0002.ini").string();
    const std::string negative = (dir / "negative.ini").string();
    quorvane::test::WriteFile(negative, "[PAPER]\nwidth=1200\nheight=800\n[TITLE]\n"
                                        "title_font_size=-5\n[INPUT]\nCHECKBOX7=1\n");
    const struct {
        std::string layout;
        std::vector<std::string> title; // the --title arguments, if any
        const char* language;           // LC_ALL of the run
        std::string said;               // the line before "Created the sheet.", or empty
    } cases[] = {
        {untitled,
         {"--title", "Smith"},
         "C.UTF-8",
         "This layout shows no title (title_font_size=0), so --title is not shown: " + untitled},
        {untitled,
         {"--title", "Smith"},
         "ja_JP.UTF-8",
         "このレイアウトはタイトルを表示しないため（title_font_size=0）、--title "
         "は表示されません: " +
             untitled},
        {negative,
         {"--title", "Smith"},
         "C.UTF-8",
         "This layout shows no title (title_font_size=-5), so --title is not shown: " + negative},
        {titled, {"--title", "Smith"}, "C.UTF-8", ""},
        {untitled, {}, "C.UTF-8", ""},
        {untitled, {"--title", ""}, "C.UTF-8", ""},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout + " " + c.language);
        std::vector<std::string> args{"sheets",
                                      "--source",
                                      Examples(),
                                      "--dest",
                                      (dir / ("out" + std::to_string(++n))).string(),
                                      "--layout",
                                      c.layout,
                                      "--end",
                                      "1"};
        args.insert(args.end(), c.title.begin(), c.title.end());
        const auto run = quorvane::test::RunCliBytes(
            args, dir / "config", {{}, {}, {std::string("LC_ALL=") + c.language}});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const std::string created =
            std::string(c.language)[0] == 'j' ? "シートを作成しました。\n" : "Created the sheet.\n";
        EXPECT_EQ(run.err, (c.said.empty() ? "" : c.said + "\n") + created);
    }
}

// Runs that cannot output anything fail with a message naming the reason, and change nothing.
TEST_F(Cli, SheetsRefusesWhatItCannotOutput) {
    namespace fs = std::filesystem;
    const std::string layout =
        (quorvane::test::SourceDir() / "initdata/CustomSize0001.ini").string();
    quorvane::test::WriteFile(dir / "garbage.ini", "random text\nno=layout\n");
    quorvane::test::WriteFile(dir / "disabled.ini", "[PAPER]\nwidth=1200\n[INPUT]\nCHECKBOX7=0\n");
    fs::create_directories(dir / "empty");
    const std::string description =
        (quorvane::test::SourceDir() / "initdata/Panasonic.ini").string();
    const std::string out = (dir / "out").string();
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--source", Examples(), "--layout", (dir / "missing.ini").string()},
         "Cannot read the layout file: "},
        {{"--source", Examples(), "--layout", (dir / "garbage.ini").string()},
         "Not a layout file (it has neither [PAPER] nor [INPUT]): "},
        {{"--source", Examples(), "--layout", description},
         "Not a layout file (it has neither [PAPER] nor [INPUT]): "},
        {{"--source", Examples(), "--layout", (dir / "disabled.ini").string()},
         "This layout is not enabled (CHECKBOX7 of [INPUT]): "},
        {{"--source", (dir / "nowhere").string(), "--layout", layout},
         "The photo folder does not exist: "},
        {{"--source", (dir / "empty").string(), "--layout", layout},
         "There are no photos to output.\n"},
        {{"--source", Examples(), "--layout", layout, "--end", "0"},
         "There are no photos to output.\n"},
        {{"--source", Examples(), "--layout", layout, "--end", "-1"},
         "There are no photos to output.\n"},
        {{"--source", Examples(), "--layout", layout, "--start", "5", "--end", "3"},
         "There are no photos to output.\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"sheets", "--dest", out, "--en"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto run = Run(args);
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
        EXPECT_EQ(run.out, "") << c.message;
        EXPECT_FALSE(fs::exists(dir / "out/IndexSheetFolder")) << c.message;
    }
}

// A layout written on Windows (CP932, CRLF, a Windows background path) loads unchanged; the
// path that cannot exist here is named once, with the layout, before the run fails on it.
TEST_F(Cli, SheetsNamesAWindowsBackgroundPathOnce) {
    // "[PAPER]", name=展示 in CP932, a Windows path, enabled.
    quorvane::test::WriteFile(dir / "CustomSize0009.ini",
                              "[PAPER]\r\nname=\x93\x57\x8E\xA6\r\nwidth=1200\r\nheight=800\r\n"
                              "[FILEANDDATE]\r\nbackground_image=C:\\photos\\bg.jpg\r\n"
                              "[INPUT]\r\nCHECKBOX7=1\r\n");
    const auto run = Run({"sheets", "--source", Examples(), "--dest", (dir / "out").string(),
                          "--layout", (dir / "CustomSize0009.ini").string(), "--en"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "The layout CustomSize0009.ini (展示) names its background image by a "
                       "Windows path, which does not exist here. Edit the layout and choose the "
                       "image again: C:\\photos\\bg.jpg\nCould not load background image.\n\n");
}

// The photos of a folder named like the output folder, sheeted into it, are all kept.
TEST_F(Cli, SheetsIntoThePhotoFolderKeepsEveryPhoto) {
    namespace fs = std::filesystem;
    const fs::path photos = dir / "X/IndexSheetFolder";
    fs::create_directories(photos);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Examples())) {
        fs::copy_file(entry.path(), photos / entry.path().filename());
        names.push_back(entry.path().filename().string());
    }
    const std::string layout =
        (quorvane::test::SourceDir() / "initdata/CustomSize0001.ini").string();
    const auto run = Run({"sheets", "--source", photos.string(), "--dest", (dir / "X").string(),
                          "--layout", layout, "--no-stamp-folder", "--en"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const std::string& name : names)
        EXPECT_TRUE(fs::exists(photos / name)) << name;
    EXPECT_TRUE(fs::exists(photos / "page0001.jpg"));
}

// A signal while a photo is being decoded ends the run within moments, as an interruption and not
// as a photo that could not be read.
TEST_F(Cli, SheetsEndsAtASignalWhileAPhotoIsDecoded) {
    // 500 scans over 6000 x 6000: the decode takes ten seconds or more when nothing stops it.
    quorvane::test::WriteFile(dir / "photos/slow.jpg",
                              quorvane::test::ProgressiveJpeg(6000, 6000, 500));
    const auto layout = dir / "layout.ini";
    quorvane::test::WriteFile(layout, "[PAPER]\nwidth=1200\nheight=800\n[PHOTO]\nphoto_width=500\n"
                                      "photo_height=300\n[INPUT]\nCHECKBOX7=1\n");
    const auto process = quorvane::test::StartCli({"sheets", "--source", (dir / "photos").string(),
                                                   "--dest", (dir / "out").string(), "--layout",
                                                   layout.string(), "--en", "--no-stamp-folder"},
                                                  dir / "config");
    ASSERT_TRUE(process);
    // The output folder is printed just before the first photo is decoded.
    ASSERT_TRUE(process->waitForReadyRead(30000));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ::kill(static_cast<pid_t>(process->processId()), SIGTERM);
    const bool ended = process->waitForFinished(5000);
    if (!ended) {
        process->kill();
        process->waitForFinished();
    }
    EXPECT_TRUE(ended) << "still running 5 seconds after SIGTERM";
    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 130);
    const std::string err = process->readAllStandardError().toStdString();
    EXPECT_EQ(err.find("Image reading error"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out/IndexSheetFolder/page0001.jpg"));
}

} // namespace

// Names a shop meets (spaces, commas, quotes, Japanese, 255 bytes) are listed and placed; a
// settings folder that is a file is said once and left alone, and the run goes on with defaults.
TEST_F(Cli, UnusualNamesAndASettingsFileInTheWay) {
    namespace fs = std::filesystem;
    const fs::path photos = dir / "写真 2024, \"夏\" 'shop'";
    fs::create_directories(photos);
    const std::vector<std::string> names = {"a photo, with \"quotes\".jpg", "夏祭り 写真.JPG",
                                            std::string(251, 'x') + ".jpg"};
    for (const std::string& name : names)
        fs::copy_file(Examples() + "/IMG_0001.JPG", photos / name);
    quorvane::test::WriteFile(dir / "config/Quorvane/initdata", "not a folder");
    const auto list = Run({"list", photos.string(), "--en"});
    EXPECT_EQ(list.exitCode, 0);
    for (const std::string& name : names)
        EXPECT_NE(list.out.find("\t" + name + "\t2017/03/04 \t"), std::string::npos) << name;
    const std::string notice = "The settings folder cannot be made, so no settings are kept and "
                               "defaults are used.\n" +
                               (dir / "config/Quorvane/initdata").string() + "\n";
    EXPECT_EQ(list.err, notice);
    const auto sheets = Run(
        {"sheets", "--source", photos.string(), "--dest", (dir / "出力 先").string(), "--layout",
         (quorvane::test::SourceDir() / "initdata/CustomSize0001.ini").string(), "--en"});
    EXPECT_EQ(sheets.exitCode, 0) << sheets.err;
    EXPECT_EQ(sheets.err, notice + "Created the sheet.\n");
    EXPECT_NE(sheets.out.find("/page0001.jpg\n"), std::string::npos);
    EXPECT_EQ(quorvane::test::ReadFile(dir / "config/Quorvane/initdata"), "not a folder");
}
