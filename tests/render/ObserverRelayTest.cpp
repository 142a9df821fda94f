// A run on a worker thread reports through the relay: every report reaches the observer on the
// observer's own thread, in order, with what was reported, and a large page comes scaled to the
// observer's preview.
#include "render/ObserverRelay.h"
#include "app/OffThread.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

// Records each report with whether it came on the test's (the observer's) thread.
struct Target : SheetRunObserver {
    QStringList seen;
    QSize pageSeen;
    bool allOnOwnThread = true;
    void note(const QString& what) {
        seen << what;
        allOnOwnThread = allOnOwnThread && QThread::currentThread() == qApp->thread();
    }
    void progress(int value, int maximum) override {
        note(QStringLiteral("progress %1/%2").arg(value).arg(maximum));
    }
    void photoPlaced(const QImage& photo) override {
        note(QStringLiteral("photo %1").arg(photo.width()));
    }
    void pageFinished(const QImage& page) override {
        pageSeen = page.size();
        note(QStringLiteral("page"));
    }
    QSize previewSize() override {
        note(QStringLiteral("size"));
        return {400, 300};
    }
    void clearPreview() override { note(QStringLiteral("clear")); }
    void outputFolderChosen(const LocalPath& fPath) override {
        const QString f = fPath.text();
        note("folder " + f);
    }
    void pageWritten(const LocalPath& pPath) override {
        const QString p = pPath.text();
        note("written " + p);
    }
    void pdfWritten(const LocalPath& p) override { note("pdf " + p.text()); }
    void problem(const text::Problem& p) override {
        note(QStringLiteral("problem %1").arg(static_cast<int>(p.code)));
    }
    void notice(const text::Notice& n) override {
        note(QStringLiteral("notice %1").arg(static_cast<int>(n.code)));
    }
    void openFolder(const LocalPath& fPath) override {
        const QString f = fPath.text();
        note("open " + f);
    }
    void stopButtonVisible(bool v) override { note(QStringLiteral("stop %1").arg(v)); }
    void yield() override { note(QStringLiteral("yield")); }
    std::optional<PhotoAdjustment> adjustPhoto(const LocalPath& path) override {
        note("adjust " + path.text());
        PhotoAdjustment a;
        a.accepted = true;
        return a;
    }
};

} // namespace

TEST(ObserverRelay, EveryReportReachesTheObserverOnItsThreadInOrder) {
    Target target;
    QObject context;
    ObserverRelay relay(target, &context);
    std::optional<PhotoAdjustment> answer;
    RunOffThread([&] {
        ASSERT_NE(QThread::currentThread(), qApp->thread());
        relay.stopButtonVisible(true);
        relay.clearPreview();
        relay.outputFolderChosen(LocalPath::FromText("out"));
        relay.yield();
        answer = relay.adjustPhoto(LocalPath::FromText("p.jpg"));
        relay.photoPlaced(QImage(30, 20, QImage::Format_ARGB32));
        relay.progress(1, 4);
        relay.pageFinished(QImage(4000, 2000, QImage::Format_ARGB32));
        relay.pageWritten(LocalPath::FromText("out/page0001.jpg"));
        relay.pdfWritten(LocalPath::FromText("out/index.pdf"));
        relay.problem(text::Problem{text::ProblemCode::kLayoutUnusableValue, {}, 0});
        relay.notice(text::Notice{text::NoticeCode::kSheetsCreated, {}});
        relay.openFolder(LocalPath::FromText("out"));
    });
    EXPECT_TRUE(target.allOnOwnThread);
    EXPECT_EQ(
        target.seen,
        (QStringList{
            "stop 1", "clear", "folder out", "yield", "adjust p.jpg", "photo 30", "progress 1/4",
            "size", "page", "written out/page0001.jpg", "pdf out/index.pdf",
            QStringLiteral("problem %1")
                .arg(static_cast<int>(text::ProblemCode::kLayoutUnusableValue)),
            QStringLiteral("notice %1").arg(static_cast<int>(text::NoticeCode::kSheetsCreated)),
            "open out"}));
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->accepted);
    // 4000 x 2000 fitted into 400 x 300.
    EXPECT_EQ(target.pageSeen, QSize(400, 200));
}

TEST(ObserverRelay, PagesThatFitOrHaveNoPreviewSizeStayWhole) {
    const QImage page(300, 200, QImage::Format_ARGB32);
    const struct {
        QSize preview;
        QSize shown;
    } cases[] = {{{400, 300}, {300, 200}},
                 {{}, {300, 200}},
                 {{150, 150}, {150, 100}},
                 {{1000, 50}, {75, 50}}};
    for (const auto& c : cases)
        EXPECT_EQ(PageForPreview(page, c.preview).size(), c.shown)
            << c.preview.width() << "x" << c.preview.height();
}
