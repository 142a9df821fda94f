// Paths keep bytes that are not UTF-8 exactly and show them readably.
#include "files/LocalPath.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

TEST(LocalPath, KeepsEveryByteAndShowsNamesReadably) {
    struct Case {
        QByteArray bytes;
        const char* shown;
        bool foreign;
    };
    const std::vector<Case> cases = {
        {"/photos/a.jpg", "/photos/a.jpg", false},
        {"/写真/日本.jpg", "/写真/日本.jpg", false},
        {"/p/\x83\x65\x83\x58\x83\x67.jpg", "/p/テスト.jpg", true},
        {"/\x83\x54\x83\x75/caf\xe9.png", "/サブ/caf\\xe9.png", true},
        {"/p/\xff\xfe\x80.gif", "/p/\\xff\\xfe\\x80.gif", true},
        // CP932's user-defined rows are no readable text.
        {"/p/\xf0\x40.jpg", "/p/\\xf0@.jpg", true},
        // UTF-8 of a lone surrogate is not UTF-8: kept as three bytes.
        {"/p/\xed\xb2\x83.jpg", "/p/\\xed\\xb2\\x83.jpg", true},
        // A character beyond U+FFFF whose low surrogate lies in the escape range, then a byte.
        {"/p/\xf0\x90\x82\x80\x83.jpg", "/p/\xf0\x90\x82\x80\\x83.jpg", true},
        // A leading byte-order mark is part of the name.
        {"\xef\xbb\xbf"
         "a.jpg",
         "\xef\xbb\xbf"
         "a.jpg",
         false},
        {"", "", false},
    };
    for (const Case& c : cases) {
        const LocalPath path = LocalPath::FromBytes(c.bytes);
        EXPECT_EQ(path.bytes(), c.bytes) << c.shown;
        // The text form comes back to the same bytes.
        EXPECT_EQ(LocalPath::FromText(path.text()).bytes(), c.bytes) << c.shown;
        EXPECT_EQ(path.display().toStdString(), c.shown);
        EXPECT_EQ(path.hasForeignBytes(), c.foreign) << c.shown;
    }
}

// The file-system helpers reach a file by its exact bytes, through a linked folder too.
TEST(LocalPath, FileSystemByBytes) {
    TempDir dir;
    const std::string root = dir.str();
    test::WriteFile(dir / "\x83\x54\x83\x75/\xe9.jpg", "photo");
    std::filesystem::create_symlink("\x83\x54\x83\x75", dir / "link");
    const LocalPath real =
        LocalPath::FromBytes(QByteArray::fromStdString(root + "/\x83\x54\x83\x75/\xe9.jpg"));
    const LocalPath linked =
        LocalPath::FromBytes(QByteArray::fromStdString(root + "/link/\xe9.jpg"));
    EXPECT_TRUE(IsLocalFile(linked));
    EXPECT_FALSE(IsLocalDir(linked));
    EXPECT_TRUE(IsLocalDir(LocalPath::FromBytes(QByteArray::fromStdString(root + "/link"))));
    EXPECT_EQ(CanonicalLocalPath(linked), CanonicalLocalPath(real));
    EXPECT_EQ(CanonicalLocalPath(real).fileName(), real.fileName());
    const auto file = OpenLocalFile(linked);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->readAll(), "photo");
    EXPECT_FALSE(OpenLocalFile(LocalPath::FromBytes(QByteArray::fromStdString(root))));
    EXPECT_TRUE(RemoveLocalFile(linked));
    EXPECT_FALSE(LocalPathExists(real));
    EXPECT_TRUE(CanonicalLocalPath(real).isEmpty());
    EXPECT_TRUE(RemoveLocalFile(real)); // already gone
}

// Names join folders with one "/", and a path splits into its folder and its name.
TEST(LocalPath, JoinsAndSplitsByTheLastSlash) {
    const struct {
        const char* folder;
        const char* name;
        const char* joined;
    } cases[] = {
        {"/a", "b.jpg", "/a/b.jpg"}, {"/a/", "b.jpg", "/a/b.jpg"}, {"/", "b.jpg", "/b.jpg"}};
    for (const auto& c : cases) {
        const LocalPath joined = LocalPath::FromText(c.folder).joined(c.name);
        EXPECT_EQ(joined.text(), c.joined);
        EXPECT_EQ(joined.fileName(), c.name);
        EXPECT_EQ(joined.folderWithSlash().joined(joined.fileName()), joined);
    }
    EXPECT_EQ(LocalPath::FromText("b.jpg").folderWithSlash().text(), "");
}

} // namespace
