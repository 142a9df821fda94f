// The photo list: kinds and order, date cells, side files in their encodings, the 10000-row limit.
#include "files/PhotoList.h"
#include "catalogue/ProblemText.h"
#include "files/LocalPath.h"

#include "TestPaths.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// The problems as the windows show them.
QStringList Worded(const std::vector<text::Problem>& problems, bool japanese) {
    QStringList out;
    for (const text::Problem& p : problems)
        out << ProblemText(p, japanese);
    return out;
}

QStringList Names(const QList<LocalPath>& paths, const QString& root) {
    QStringList out;
    for (const LocalPath& p : paths)
        out << p.text().mid(root.size() + 1);
    return out;
}

TEST(ListPhotos, KeepsPhotoKindsInCaseInsensitiveWholePathOrder) {
    TempDir dir;
    for (const char* name :
         {"e.gif", "B.JPG", "a.jpg", "d.png", "c.Jpeg", "f.bmp", ".g.jpg", "h.jpg.txt"})
        test::WriteFile(dir / name, "x");
    auto paths = ListPhotos(test::P(dir.path()), false).paths;
    SortPhotoPaths(paths);
    EXPECT_EQ(Names(paths, Q(dir.path())),
              (QStringList{"a.jpg", "B.JPG", "c.Jpeg", "d.png", "e.gif"}));
}

TEST(ListPhotos, SubfoldersOnlyWhenAskedAndSortedByWholePath) {
    TempDir dir;
    test::WriteFile(dir / "X/z.jpg", "x");
    test::WriteFile(dir / "X/sub/a.jpg", "x");
    test::WriteFile(dir / "X/sub/deeper/b.JPG", "x");
    auto flat = ListPhotos(test::P(dir / "X"), false).paths;
    EXPECT_EQ(Names(flat, Q(dir / "X")), QStringList{"z.jpg"});
    auto deep = ListPhotos(test::P(dir / "X"), true).paths;
    SortPhotoPaths(deep);
    EXPECT_EQ(Names(deep, Q(dir / "X")), (QStringList{"sub/a.jpg", "sub/deeper/b.JPG", "z.jpg"}));
}

TEST(ListPhotos, MissingFolderIsEmptyAndStopKeepsWhatWasFound) {
    TempDir dir;
    EXPECT_TRUE(ListPhotos(test::P(dir / "nowhere"), true).paths.isEmpty());
    for (int i = 0; i < 5; ++i)
        test::WriteFile(dir / ("p" + std::to_string(i) + ".jpg"), "x");
    int calls = 0;
    ListedPaths listed = ListPhotos(test::P(dir.path()), false, [&] { return ++calls > 3; });
    EXPECT_TRUE(listed.stopped);
    EXPECT_EQ(listed.paths.size(), 3);
}

// Folders linked from the photo folder: followed with subfolders on, each real folder once.
TEST(ListPhotos, FollowsLinkedFoldersOncePerRealFolder) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, const char*>> links; // link in X → target
        bool subfolders;
        QStringList listed; // relative to X, sorted
    };
    const std::vector<Case> cases = {
        {"link to a folder outside",
         {{"X/out", "../Y"}},
         true,
         {"a.jpg", "out/y.jpg", "sub/b.jpg"}},
        {"link to a folder inside", {{"X/again", "sub"}}, true, {"a.jpg", "sub/b.jpg"}},
        {"link before its real folder", {{"X/a_link", "sub"}}, true, {"a.jpg", "sub/b.jpg"}},
        {"loop back to the root", {{"X/sub/up", ".."}}, true, {"a.jpg", "sub/b.jpg"}},
        {"two links to one folder",
         {{"X/l1", "../Y"}, {"X/sub/l2", "../../Y"}},
         true,
         {"a.jpg", "l1/y.jpg", "sub/b.jpg"}},
        {"link to itself", {{"X/self", "self"}}, true, {"a.jpg", "sub/b.jpg"}},
        {"linked photo file", {{"X/c.jpg", "../Y/y.jpg"}}, false, {"a.jpg", "c.jpg"}},
        {"no subfolders", {{"X/out", "../Y"}}, false, {"a.jpg"}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        test::WriteFile(dir / "X/a.jpg", "x");
        test::WriteFile(dir / "X/sub/b.jpg", "x");
        test::WriteFile(dir / "Y/y.jpg", "x");
        for (const auto& [link, target] : c.links)
            std::filesystem::create_symlink(target, dir / link);
        auto paths = ListPhotos(test::P(dir / "X"), c.subfolders).paths;
        SortPhotoPaths(paths);
        EXPECT_EQ(Names(paths, Q(dir / "X")), c.listed) << c.what;
    }
}

struct DateCase {
    const char* text;
    bool era;
    bool time;
    const char* cell;
};

class DateCells : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateCells, FormatsByLength) {
    const DateCase& c = GetParam();
    EXPECT_EQ(FormatDateCell(QString::fromUtf8(c.text), c.era, c.time).toStdString(), c.cell)
        << c.text << " era=" << c.era << " time=" << c.time;
}

INSTANTIATE_TEST_SUITE_P(
    Quorvane, DateCells,
    ::testing::Values(DateCase{"2017:03:04 12:34:56", false, false, "2017/03/04 "},
                      DateCase{"2017:03:04 12:34:56", false, true, "2017/03/04 12:34:56"},
                      DateCase{"2017:03:04 12:34:56", true, false, "平成29年3月4日"},
                      DateCase{"2017:03:04 12:34:56", true, true, "平成29年3月4日12:34:56"},
                      DateCase{"1989:01:07 10:00:00", true, false, "1989/01/07 "},
                      DateCase{"1989:01:08 10:00:00", true, false, "平成元年1月8日"},
                      DateCase{"2019:05:01 00:00:00", true, false, "平成31年5月1日"},
                      DateCase{"2001-02-03", false, false, "2001/02/03"},
                      DateCase{"2001-02-03", true, true, "平成13年2月3日"},
                      DateCase{"20010203", false, false, "2001/02/03"},
                      DateCase{"20010203", true, false, "平成13年2月3日"},
                      DateCase{"2001:02:3", false, false, ""},
                      DateCase{"2017:03:04T12:34:56", false, true, ""},
                      DateCase{"0000:00:00 00:00:00", true, false, "0000/00/00 "},
                      DateCase{"abcd:ef:gh", true, false, "abcd/ef/gh"},
                      DateCase{"", false, false, ""}));

TEST(SideFile, DateLineInEveryEncoding) {
    TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        const char* date;
    };
    const std::string label = "データ撮影日時:";
    const std::vector<Case> cases = {
        {"utf8", "機種:X\n" + label + "2001-02-03  \t\n", "2001-02-03"},
        {"bom", "\xEF\xBB\xBF" + label + " 20010203\r\n", "20010203"},
        // CP932: "データ撮影日時:" then the date, CRLF endings.
        {"cp932",
         std::string(
             "\x83\x66\x81\x5B\x83\x5E\x8E\x42\x89\x65\x93\xFA\x8E\x9E:2017:03:04 12:34:56\r\n"),
         "2017:03:04 12:34:56"},
        {"utf16le",
         std::string("\xFF\xFE", 2) +
             [&] {
                 std::string s;
                 for (char16_t ch : std::u16string(u"データ撮影日時:2001:02:03\r\n")) {
                     s += static_cast<char>(ch & 0xFF);
                     s += static_cast<char>(ch >> 8);
                 }
                 return s;
             }(),
         "2001:02:03"},
        {"nodate", "other:1\n", ""},
        {"labelnotfirst", " データ撮影日時:2001-02-03\n", ""},
    };
    for (const Case& c : cases) {
        test::WriteFile(dir / (std::string(c.name) + ".exif"), c.bytes);
        EXPECT_EQ(SideFileDate(test::P(dir / (std::string(c.name) + ".JPG"))).toStdString(), c.date)
            << c.name;
    }
    EXPECT_EQ(SideFilePath(LocalPath::FromText("/p/a.b.jpg")).text(), "/p/a.b.exif");
    EXPECT_TRUE(SideFileDate(test::P(dir / "absent.jpg")).isEmpty());
}

// A side file is found whatever the case of its name; the exact name wins, then byte order.
TEST(SideFile, FoundInAnyCase) {
    struct Case {
        const char* photo;
        std::vector<const char*> sideFiles; // the n-th holds the date 2001-02-0n
        const char* date;
    };
    const std::vector<Case> cases = {
        {"a.jpg", {"a.EXIF"}, "2001-02-01"},
        {"B.JPG", {"b.Exif"}, "2001-02-01"},
        {"c.jpg", {"C.EXIF", "c.exif", "c.Exif"}, "2001-02-02"},
        {"d.png", {"d.EXIF", "D.exif"}, "2001-02-02"},
        {"e.jpg", {"e.exif.txt", "ee.exif"}, ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        test::WriteFile(dir / c.photo, "not a jpeg");
        for (size_t i = 0; i < c.sideFiles.size(); ++i)
            test::WriteFile(dir / c.sideFiles[i],
                            "データ撮影日時:2001-02-0" + std::to_string(i + 1) + "\n");
        EXPECT_EQ(SideFileDate(test::P(dir / c.photo)).toStdString(), c.date) << c.photo;
        PhotoListRequest request;
        request.saveFolder = LocalPath::FromText(Q(dir.path()));
        request.sourceFolder = request.saveFolder;
        const PhotoListResult listed = BuildPhotoList(request);
        ASSERT_EQ(listed.rows.size(), 1) << c.photo;
        EXPECT_EQ(listed.rows[0].shootingDate, FormatDateCell(c.date, false, false)) << c.photo;
    }
}

TEST(BuildPhotoList, RowsTakeSideFileDatesAndNumbersInOrder) {
    TempDir dir;
    test::WriteFile(dir / "src/b.jpg", "not a jpeg");
    test::WriteFile(dir / "src/b.exif", "データ撮影日時:2001-02-03\n");
    test::WriteFile(dir / "src/A.png", "x");
    PhotoListRequest request;
    request.sourceFolder = LocalPath::FromText(Q(dir / "src"));
    request.saveFolder = LocalPath::FromText(Q(dir / "out/deeper"));
    std::vector<std::pair<int, int>> progress;
    PhotoListHooks hooks;
    hooks.rowAdded = [&](const PhotoEntry&, int done, int found) {
        progress.emplace_back(done, found);
    };
    const PhotoListResult result = BuildPhotoList(request, hooks);
    ASSERT_TRUE(result.listReplaced);
    EXPECT_TRUE(QDir(Q(dir / "out/deeper")).exists());
    const LocalPath folder = LocalPath::FromText(Q(dir / "src") + "/");
    ASSERT_EQ(result.rows.size(), 2);
    EXPECT_EQ(result.rows[0], (PhotoEntry{1, "A.png", "", folder}));
    EXPECT_EQ(result.rows[1], (PhotoEntry{2, "b.jpg", "2001/02/03", folder}));
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
    EXPECT_TRUE(result.problems.empty());
}

TEST(BuildPhotoList, EmptiesTheRowsBeforeListingOnlyWhenTheBoxesPass) {
    TempDir dir;
    test::WriteFile(dir / "a.jpg", "x");
    std::vector<std::string> calls;
    PhotoListHooks hooks;
    hooks.emptyRows = [&] { calls.push_back("empty"); };
    hooks.rowAdded = [&](const PhotoEntry&, int, int) { calls.push_back("row"); };
    PhotoListRequest request;
    request.sourceFolder = LocalPath::FromText(Q(dir.path()));
    BuildPhotoList(request, hooks); // no save folder: the rows stay
    EXPECT_TRUE(calls.empty());
    request.saveFolder = LocalPath::FromText(Q(dir.path()));
    BuildPhotoList(request, hooks);
    EXPECT_EQ(calls, (std::vector<std::string>{"empty", "row"}));
    calls.clear();
    request.sourceFolder = LocalPath::FromText(Q(dir / "missing")); // emptied, and nothing to fill
    BuildPhotoList(request, hooks);
    EXPECT_EQ(calls, std::vector<std::string>{"empty"});
}

TEST(BuildPhotoList, PreconditionMessagesLeaveTheListAlone) {
    TempDir dir;
    PhotoListRequest request;
    request.sourceFolder = LocalPath::FromText(Q(dir.path()));
    PhotoListResult r = BuildPhotoList(request);
    EXPECT_FALSE(r.listReplaced);
    EXPECT_EQ(Worded(r.problems, true),
              QStringList{"読込み元フォルダと保存先フォルダを設定してください。"});
    EXPECT_EQ(Worded(BuildPhotoList(request).problems, false),
              QStringList{"Please set the source folder and destination folder."});

    test::WriteFile(dir / "blocker", "x");
    request.saveFolder = LocalPath::FromText(Q(dir / "blocker/out"));
    r = BuildPhotoList(request);
    EXPECT_FALSE(r.listReplaced);
    EXPECT_EQ(Worded(r.problems, false), QStringList{"Can not create a save destination folder.\n" +
                                                     request.saveFolder.text()});

    request.sourceFolder = LocalPath::FromText(Q(dir / "missing"));
    request.saveFolder = LocalPath::FromText(Q(dir.path()));
    r = BuildPhotoList(request);
    EXPECT_TRUE(r.listReplaced);
    EXPECT_TRUE(r.rows.isEmpty());
    EXPECT_TRUE(r.problems.empty());
}

TEST(BuildPhotoList, StopKeepsRowsSoFarAndVanishedPhotosGetNoRow) {
    TempDir dir;
    for (int i = 0; i < 6; ++i)
        test::WriteFile(dir / ("p" + std::to_string(i) + ".jpg"), "x");
    PhotoListRequest request;
    request.sourceFolder = LocalPath::FromText(Q(dir.path()));
    request.saveFolder = LocalPath::FromText(Q(dir.path()));
    bool stop = false;
    PhotoListHooks hooks;
    hooks.stopRequested = [&] { return stop; };
    hooks.rowAdded = [&](const PhotoEntry& row, int, int) {
        if (row.number == 1)
            QFile::remove(Q(dir / "p2.jpg"));
        if (row.number == 3)
            stop = true;
    };
    const PhotoListResult r = BuildPhotoList(request, hooks);
    EXPECT_TRUE(r.stopped);
    ASSERT_EQ(r.rows.size(), 3);
    EXPECT_EQ(r.rows[2].fileName, "p3.jpg");
    EXPECT_EQ(r.rows[2].number, 3);

    // A stop while the folder is still being listed, before any photo was found.
    hooks.rowAdded = {};
    const PhotoListResult early = BuildPhotoList(request, hooks);
    EXPECT_TRUE(early.stopped);
    EXPECT_TRUE(early.rows.isEmpty());
}

TEST(BuildPhotoList, StopsAtTheMaximumWithItsMessage) {
    TempDir dir;
    for (int i = 0; i < kPhotoListRows + 2; ++i)
        QFile(Q(dir / ("p" + std::to_string(100000 + i) + ".gif"))).open(QIODevice::WriteOnly);
    PhotoListRequest request;
    request.sourceFolder = LocalPath::FromText(Q(dir.path()));
    request.saveFolder = LocalPath::FromText(Q(dir.path()));
    const PhotoListResult r = BuildPhotoList(request);
    ASSERT_EQ(r.rows.size(), kPhotoListRows);
    // Sorted; p110000 and p110001 lie beyond the maximum.
    EXPECT_EQ(r.rows.back().fileName, "p109999.gif");
    EXPECT_EQ(Worded(r.problems, false),
              QStringList{"Since it reached the maximum number of sheets, it was interrupted."});
}

} // namespace
