// Saving calculated layout text: the refusals in order, the lowest free number, the limit, and
// failures that keep the old file and are reported as failures.
#include "layout/LayoutSave.h"
#include "catalogue/NoticeText.h"
#include "catalogue/ProblemText.h"
#include "layout/LayoutFiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

using namespace quorvane::layout;
using quorvane::test::ReadFile;
using quorvane::test::TempDir;
using quorvane::test::WriteFile;

namespace {

const std::string kText = "[PAPER]\nname=new\n[INPUT]\nCHECKBOX7=1\n";

LayoutSaveRequest Request(const TempDir& dir) {
    LayoutSaveRequest r;
    r.settingsFolder = dir.str();
    r.layoutText = kText;
    return r;
}

// What the editor shows for the result (the same in both languages).
std::string Said(const LayoutSaveResult& result) {
    if (result.problem)
        return quorvane::ProblemText(*result.problem, false).toStdString();
    return result.notice ? quorvane::NoticeText(*result.notice, false).toStdString() : "";
}

// Files of the folder other than the layouts (left-over temporary files).
int StrayFiles(const TempDir& dir) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        if (e.path().filename().string().rfind("CustomSize", 0) != 0 ||
            e.path().extension() != ".ini")
            ++n;
    return n;
}

// Limits the size of files this process may write, so that a write stops part-way.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

TEST(LayoutSave, RefusalsComeInTheirOrder) {
    TempDir dir;
    struct Case {
        bool busy;
        bool empty;
        bool running;
        const char* message;
    } cases[] = {
        {true, true, true, "処理中は保存出来ません。"},
        {false, true, true, "計算が行われていません。"},
        {false, false, true, "インデックスシート作成中は保存出来ません。"},
    };
    for (const auto& c : cases) {
        LayoutSaveRequest r = Request(dir);
        r.editorBusy = c.busy;
        r.layoutText = c.empty ? "" : kText;
        r.sheetRunPending = c.running;
        r.currentFileName = "CustomSize0001.ini";
        r.editedRow = 0;
        for (auto save : {SaveLayout, SaveLayoutAs}) {
            LayoutSaveResult result = save(r);
            EXPECT_EQ(result.status, LayoutSaveStatus::Refused);
            EXPECT_EQ(Said(result), c.message);
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(LayoutSave, SaveAsTakesTheLowestFreeNumber) {
    TempDir dir;
    WriteFile(dir / "CustomSize0001.ini", "one");
    WriteFile(dir / "CustomSize0003.ini", "[INPUT]\nCHECKBOX7=0\n");
    LayoutSaveResult result = SaveLayoutAs(Request(dir));
    EXPECT_EQ(result.status, LayoutSaveStatus::Saved);
    EXPECT_TRUE(result.savedAsNew);
    EXPECT_EQ(result.fileName, "CustomSize0002.ini");
    EXPECT_EQ(Said(result), "CustomSize0002.ini へ設定を保存しました。");
    EXPECT_EQ(ReadFile(dir / "CustomSize0002.ini"), kText);
    EXPECT_EQ(SaveLayoutAs(Request(dir)).fileName, "CustomSize0004.ini");
    EXPECT_EQ(StrayFiles(dir), 0);
}

TEST(LayoutSave, OverwriteWithoutALoadedLayoutSavesAsNew) {
    TempDir dir;
    LayoutSaveRequest r = Request(dir);
    r.currentFileName = "CustomSize0009.ini"; // a file name but no edited row
    r.editedRow = -1;
    LayoutSaveResult result = SaveLayout(r);
    EXPECT_EQ(result.status, LayoutSaveStatus::Saved);
    EXPECT_TRUE(result.savedAsNew);
    EXPECT_EQ(result.fileName, "CustomSize0001.ini");

    r.currentFileName.clear();
    r.editedRow = 3;
    EXPECT_EQ(SaveLayout(r).fileName, "CustomSize0002.ini");
    EXPECT_FALSE(std::filesystem::exists(dir / "CustomSize0009.ini"));
}

TEST(LayoutSave, OverwriteReplacesTheLoadedFile) {
    TempDir dir;
    WriteFile(dir / "CustomSize0005.ini", "old contents that are longer than the new ones....");
    LayoutSaveRequest r = Request(dir);
    r.currentFileName = "CustomSize0005.ini";
    r.editedRow = 0;
    LayoutSaveResult result = SaveLayout(r);
    EXPECT_EQ(result.status, LayoutSaveStatus::Saved);
    EXPECT_FALSE(result.savedAsNew);
    EXPECT_EQ(Said(result), "CustomSize0005.ini へ設定を上書き保存しました。");
    EXPECT_EQ(ReadFile(dir / "CustomSize0005.ini"), kText);
    EXPECT_EQ(StrayFiles(dir), 0);
}

TEST(LayoutSave, AnInterruptedOverwriteIsAFailureAndKeepsTheOldFile) {
    TempDir dir;
    const std::string old = "[PAPER]\nname=old\n[INPUT]\nCHECKBOX7=1\n";
    WriteFile(dir / "CustomSize0001.ini", old);
    LayoutSaveRequest r = Request(dir);
    r.layoutText = std::string(4096, 'x') + "\n[INPUT]\nCHECKBOX7=1\n";
    r.currentFileName = "CustomSize0001.ini";
    r.editedRow = 0;
    LayoutSaveResult result;
    {
        FileSizeLimit limit(1024); // the write stops after the first kilobyte
        result = SaveLayout(r);
    }
    EXPECT_EQ(result.status, LayoutSaveStatus::Failed);
    EXPECT_EQ(Said(result), "CustomSize0001.ini への設定を上書き保存出来ませんでした。");
    EXPECT_EQ(ReadFile(dir / "CustomSize0001.ini"), old);
    EXPECT_EQ(StrayFiles(dir), 0);
    ASSERT_EQ(LoadSheetLayouts(dir.str(), true).layouts.size(), 1u);
}

TEST(LayoutSave, AReadOnlyFolderIsAFailure) {
    TempDir dir;
    const std::string old = "[PAPER]\nname=old\n";
    WriteFile(dir / "CustomSize0001.ini", old);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    bool writable = access(dir.str().c_str(), W_OK) == 0; // true for root
    LayoutSaveRequest r = Request(dir);
    r.currentFileName = "CustomSize0001.ini";
    r.editedRow = 0;
    LayoutSaveResult overwrite, saveAs;
    if (!writable) {
        overwrite = SaveLayout(r);
        saveAs = SaveLayoutAs(r);
    }
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    if (writable)
        GTEST_SKIP() << "this user may write into read-only folders";
    EXPECT_EQ(overwrite.status, LayoutSaveStatus::Failed);
    EXPECT_EQ(Said(overwrite), "CustomSize0001.ini への設定を上書き保存出来ませんでした。");
    EXPECT_EQ(saveAs.status, LayoutSaveStatus::Failed);
    EXPECT_EQ(Said(saveAs), "CustomSize0002.ini への設定を保存出来ませんでした。");
    EXPECT_EQ(ReadFile(dir / "CustomSize0001.ini"), old);
}

TEST(LayoutSave, AMissingFolderOrAForeignNameIsAFailure) {
    TempDir dir;
    LayoutSaveRequest r = Request(dir);
    r.settingsFolder = (dir / "missing").string();
    LayoutSaveResult result = SaveLayoutAs(r);
    EXPECT_EQ(result.status, LayoutSaveStatus::Failed);
    EXPECT_EQ(Said(result), "CustomSize0001.ini への設定を保存出来ませんでした。");

    r.settingsFolder = (dir / "sub").string();
    std::filesystem::create_directory(dir / "sub");
    r.currentFileName = "../CustomSize0001.ini";
    r.editedRow = 0;
    EXPECT_EQ(SaveLayout(r).status, LayoutSaveStatus::Failed);
    EXPECT_FALSE(std::filesystem::exists(dir / "CustomSize0001.ini"));
}

TEST(LayoutSave, SaveAsStopsAtTheThousandthFile) {
    TempDir dir;
    for (int i = 1; i <= kMaxLayoutFiles; ++i)
        WriteFile(dir / LayoutFileName(i), "");
    LayoutSaveResult result = SaveLayoutAs(Request(dir));
    EXPECT_EQ(result.status, LayoutSaveStatus::Refused);
    EXPECT_EQ(Said(result), "設定は最大1000ファイルまでです。");
    EXPECT_FALSE(std::filesystem::exists(dir / "CustomSize1001.ini"));
}
