// Photos whose names are not UTF-8 (folders unpacked from Windows archives): listed with readable
// names, dated from EXIF or side files, opened and placed on sheets, old ones deleted.
#include "TestSupport.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

using quorvane::test::TempDir;

namespace {

// A 64 x 48 image of one colour in the format; a JPEG carries the DateTimeOriginal when given.
std::string Photo(const char* format, QRgb colour, const std::string& date = {}) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    std::string out = bytes.toStdString();
    if (date.empty())
        return out;
    // Little-endian TIFF: IFD0 with the Exif IFD pointer (at 26), the Exif IFD with
    // DateTimeOriginal (ASCII, 20 bytes at 44).
    const std::string tiff = std::string("II\x2A\0\x08\0\0\0", 8) +
                             std::string("\x01\0\x69\x87\x04\0\x01\0\0\0\x1A\0\0\0\0\0\0\0", 18) +
                             std::string("\x01\0\x03\x90\x02\0\x14\0\0\0\x2C\0\0\0\0\0\0\0", 18) +
                             date + std::string(1, '\0');
    const std::string app1 = std::string("Exif\0\0", 6) + tiff;
    const size_t length = app1.size() + 2;
    return out.substr(0, 2) + "\xFF\xE1" + static_cast<char>(length >> 8) +
           static_cast<char>(length & 0xFF) + app1 + out.substr(2);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Runs the batch command through the shell, which hands over argument bytes that are not UTF-8
// as they are (a QProcess cannot); gives its stdout and stderr.
std::pair<std::string, std::string> RunRaw(const std::string& args, const TempDir& dir) {
    const std::string err = (dir / "raw-stderr").string();
    const std::string command = "XDG_CONFIG_HOME='" + dir.str() + "/config' '" +
                                (quorvane::test::BinDir() / "quorvane-cli").string() + "' " + args +
                                " 2>'" + err + "'";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return {out, quorvane::test::ReadFile(err)};
}

TEST(ForeignNames, ListedDatedAndPlacedOnSheets) {
    struct Case {
        std::string file;  // bytes on disk, relative to the photo folder
        std::string photo; // content
        std::string sideFile;
        std::string shown; // file name column
        std::string date;  // date column
        QRgb colour;
    };
    const std::string label = "データ撮影日時:";
    const std::vector<Case> cases = {
        // CP932 "テスト.jpg" with an EXIF date.
        {"\x83\x65\x83\x58\x83\x67.jpg", Photo("JPG", 0xffc00000, "2017:03:04 12:34:56"), "",
         "テスト.jpg", "2017/03/04 ", 0xffc00000},
        // Latin-1 "café.png", its side file named the same way.
        {"caf\xe9.png", Photo("PNG", 0xff00c000), "caf\xe9.exif", "caf\\xe9.png", "2001/02/03",
         0xff00c000},
        // CP932 "写真.PNG" with a side file in other letters' case.
        {"\x8e\xca\x90\x5e.PNG", Photo("PNG", 0xff0000c0), "\x8e\xca\x90\x5e.EXIF", "写真.PNG",
         "2001/02/03", 0xff0000c0},
        // Bytes that are no CP932 either (a PNG under a GIF name: the content decides).
        {"\xff\xfe.gif", Photo("PNG", 0xffc0c000), "", "\\xff\\xfe.gif", "", 0xffc0c000},
        // A plain UTF-8 name beside them.
        {"日本.jpg", Photo("JPG", 0xff00c0c0, "2019:05:01 09:00:00"), "", "日本.jpg", "2019/05/01 ",
         0xff00c0c0},
        // A photo in a folder named in CP932 ("サブ").
        {"\x83\x54\x83\x75/a.jpg", Photo("JPG", 0xffc000c0), "", "a.jpg", "", 0xffc000c0},
    };
    TempDir dir;
    const auto photos = dir / "photos";
    for (const Case& c : cases) {
        quorvane::test::WriteFile(photos / c.file, c.photo);
        if (!c.sideFile.empty())
            quorvane::test::WriteFile(photos / c.sideFile, label + "2001-02-03\r\n");
    }
    // An old page of a foreign name in the output folder: deleted like any other.
    const auto old = dir / "out/IndexSheetFolder/\x83\x65.jpg";
    quorvane::test::WriteFile(old, "old");

    const auto list =
        quorvane::test::RunCli({"list", photos.string(), "--subfolders"}, dir / "config");
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const std::vector<std::string> lines = Lines(list.out);
    ASSERT_EQ(lines.size(), cases.size()) << list.out;
    std::vector<QRgb> colours; // of the photos in list order
    for (const Case& c : cases) {
        const std::string folder =
            photos.string() + (c.file.find('/') != std::string::npos ? "/サブ/" : "/");
        const std::string tail = "\t" + c.shown + "\t" + c.date + "\t" + folder;
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.size() > tail.size() &&
                   l.compare(l.size() - tail.size(), tail.size(), tail) == 0;
        });
        ASSERT_NE(line, lines.end()) << c.shown << "\n" << list.out;
        const size_t index = static_cast<size_t>(std::stoi(*line) - 1);
        colours.resize(std::max(colours.size(), index + 1));
        colours[index] = c.colour;
    }

    // One photo a page, with file names and EXIF information under it.
    const auto layout = dir / "layout.ini";
    quorvane::test::WriteFile(layout, "[PAPER]\nwidth=200\nheight=160\nleft_margin=20\n"
                                      "right_margin=20\ntop_margin=20\nbottom_margin=40\n"
                                      "[PHOTO]\nphoto_ct=1\nphoto_col=1\nphoto_row=1\n"
                                      "photo_width=100\nphoto_height=80\n[OPTIONS]\ndisp_numer=0\n"
                                      "[FILEANDDATE]\ndisp_filename=1\ndisp_exif_info=1\n"
                                      "[INPUT]\nCHECKBOX7=1\n");
    const auto sheets = quorvane::test::RunCli(
        {"sheets", "--source", photos.string(), "--dest", (dir / "out").string(), "--layout",
         layout.string(), "--subfolders", "--no-stamp-folder", "--full-resolution", "--en"},
        dir / "config");
    ASSERT_EQ(sheets.exitCode, 0) << sheets.err;
    EXPECT_EQ(sheets.err, "Created the sheet.\n");
    EXPECT_FALSE(std::filesystem::exists(old));
    for (size_t i = 0; i < colours.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "page%04zu.jpg", i + 1);
        const QImage page(QString::fromStdString((dir / "out/IndexSheetFolder" / name).string()));
        ASSERT_FALSE(page.isNull()) << name;
        // The cell's centre shows the photo (JPEG keeps the colour within a few steps).
        const QRgb got = page.pixel(70, 60);
        EXPECT_NEAR(qRed(got), qRed(colours[i]), 12) << name;
        EXPECT_NEAR(qGreen(got), qGreen(colours[i]), 12) << name;
        EXPECT_NEAR(qBlue(got), qBlue(colours[i]), 12) << name;
    }

    // A layout named in CP932 ("テ") is read by its exact bytes; a failure names the file
    // readably.
    const auto foreignLayout = dir / "\x83\x65.ini";
    std::filesystem::copy_file(layout, foreignLayout);
    const std::string output = (dir / "again/IndexSheetFolder").string();
    auto run = RunRaw("sheets --source '" + photos.string() + "' --dest '" + dir.str() +
                          "/again' --layout '" + foreignLayout.string() +
                          "' --no-stamp-folder --end 1 --en",
                      dir);
    EXPECT_EQ(run.first, output + "\n" + output + "/page0001.jpg\n") << run.second;
    run = RunRaw("calc '" + dir.str() + "/\x83\x67.ini' --en", dir);
    EXPECT_EQ(run.second, "Cannot read the input file: " + dir.str() + "/ト.ini\n");

    // A save folder named in CP932 ("テス"): pages and web photos are written under its exact
    // bytes and printed in them, so that a script can open what it is told.
    const std::string dest = dir.str() + "/\x83\x65\x83\x58";
    const auto webLayout = dir / "web.ini";
    std::string web = quorvane::test::ReadFile(layout);
    web.replace(web.find("[OPTIONS]\n"), 10, "[OPTIONS]\nfor_web=1\n");
    web.replace(web.find("[PHOTO]\n"), 8, "[PHOTO]\nweb_thumb_width=32\n");
    quorvane::test::WriteFile(webLayout, web);
    for (const auto& [layoutFile, written] :
         {std::pair{layout.string(), dest + "/IndexSheetFolder/page0001.jpg"},
          std::pair{webLayout.string(), dest + "/Ｗｅｂ用フォルダ/日本.jpg"}}) {
        run = RunRaw("sheets --source '" + photos.string() + "' --dest '" + dest + "' --layout '" +
                         layoutFile + "' --no-stamp-folder --en",
                     dir);
        EXPECT_NE(run.first.find(written + "\n"), std::string::npos) << run.first << run.second;
        EXPECT_EQ(quorvane::test::ReadFile(written).substr(0, 2), "\xFF\xD8") << written;
    }
}

} // namespace
