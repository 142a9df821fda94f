// The drop rule: which folder a dropped name gives, the comma refusal, and the local names of a
// dropped address list, byte for byte.
#include "app/DropRule.h"
#include "catalogue/ProblemText.h"
#include "files/LocalPath.h"
#include "files/PhotoList.h"

#include "TestPaths.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::P;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

TEST(DropRule, FolderFileAndComma) {
    TempDir dir;
    test::WriteFile(dir / "Photos/a.jpg", "x");
    EXPECT_EQ(DecideDrop(P(dir / "Photos/a.jpg")).sourceFolder, P(dir / "Photos"));
    EXPECT_EQ(DecideDrop(P(Q(dir / "Photos") + "/")).sourceFolder, P(Q(dir / "Photos") + "/"));
    const DropDecision refused = DecideDrop(P(dir / "a,b"));
    EXPECT_TRUE(refused.sourceFolder.isEmpty());
    ASSERT_TRUE(refused.refusal);
    EXPECT_EQ(ProblemText(*refused.refusal, true),
              "ドロップ処理\nフォルダ名にカンマが含まれています。中断しました。");
}

// Dropped addresses keep the exact bytes of their names, also bytes that are not UTF-8.
TEST(DropRule, LocalNamesOfUriList) {
    TempDir dir;
    const std::string foreign = dir.str() + "/\x83\x65"; // "テ" in CP932
    std::filesystem::create_directories(foreign);
    test::WriteFile(foreign + "/a.jpg", "x");
    const QString foreignName = P(foreign).text();
    const struct {
        QByteArray list;
        QStringList names;
    } cases[] = {
        {"file:///photos/%E5%A4%8F%202024\r\n", {"/photos/夏 2024"}},
        {"file://localhost/a%2Cb/\r\nFILE:///c%23d.jpg?x#y", {"/a,b/", "/c#d.jpg"}},
        {"# comment\r\nhttps://example.com/a.jpg\r\nfile://other/a\r\nfile:relative\r\n", {}},
        {"file:/single/slash", {"/single/slash"}},
        {"file://" + QByteArray::fromStdString(foreign).toPercentEncoding("/") + "/a.jpg",
         {foreignName + "/a.jpg"}},
    };
    for (const auto& c : cases) {
        QStringList names;
        for (const LocalPath& name : LocalNamesOfUriList(c.list))
            names << name.text();
        EXPECT_EQ(names, c.names) << c.list.toStdString();
    }
    // A dropped photo in a folder named so gives that folder, which lists its photo.
    EXPECT_EQ(DecideDrop(P(foreignName + "/a.jpg")).sourceFolder, P(foreignName));
    EXPECT_EQ(DecideDrop(P(foreignName)).sourceFolder, P(foreignName));
    EXPECT_EQ(ListPhotos(P(foreignName), false).paths, QList<LocalPath>{P(foreignName + "/a.jpg")});
}

} // namespace
